#include "shell/ScriptSession.h"

#include "data/RecordStore.h"
#include "platform/surface/PictureBox.h"
#include "platform/vb/Convert.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/PanelBar.h"
#include "shell/ScriptUi.h"
#include "shell/frmMAIN.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextStream>
#include <cmath>
#include <QThread>

namespace {

void sendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// Types `text` character by character into whatever has the keyboard (an editor may open
// on the first key and take it).
void typeText(QWidget* start, const QString& text)
{
    for (const QChar c : text) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : start;
        sendKey(target, c.toUpper().unicode(), Qt::NoModifier, QString(c));
    }
}

void sendMouse(QWidget* target, QEvent::Type type, const QPointF& at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Gives the widget the keyboard as a user's click would; the one that had it loses it first.
void focus(QWidget* w)
{
    w->window()->activateWindow();
    w->setFocus(Qt::MouseFocusReason);
}

QString csvText(const vb::Value& v)
{
    switch (v.type()) {
    case vb::VarType::Empty:
    case vb::VarType::Null: return QString();
    case vb::VarType::Boolean: return v.asBool() ? QStringLiteral("1") : QStringLiteral("0");
    case vb::VarType::Integer: return QString::number(v.asInteger());
    case vb::VarType::Long: return QString::number(v.asLong());
    case vb::VarType::Single: return QString::number(static_cast<double>(v.asSingle()), 'g', 7);
    case vb::VarType::Double: return QString::number(v.asDouble(), 'g', 15);
    default: break;
    }
    QString text = vb::toText(v);
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n')))
        text = QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return text;
}

}  // namespace

ScriptSession::ScriptSession(frmMAIN& main, ScriptUi& ui, QString scriptFolder, QList<ScriptParser::Command> commands)
    : main_(main), ui_(ui), folder_(std::move(scriptFolder)), commands_(std::move(commands))
{
    ui_.setModalRunner([this](QDialog& dialog) { runModal(dialog); });
}

const std::vector<ScriptSession::Entry>& ScriptSession::commandTable()
{
    static const std::vector<Entry> table = {
        {"menu", "t", &ScriptSession::menu},
        {"panel", "i", &ScriptSession::panel},
        {"type", "t t", &ScriptSession::type},
        {"check", "t b", &ScriptSession::check},
        {"option", "t i", &ScriptSession::option},
        {"choose", "t t", &ScriptSession::choose},
        {"button", "t", &ScriptSession::button},
        {"cell", "t i i t", &ScriptSession::cell},
        {"key", "t t", &ScriptSession::key},
        {"click", "t n n", &ScriptSession::mouse},
        {"dblclick", "t n n", &ScriptSession::mouse},
        {"rightclick", "t n n", &ScriptSession::mouse},
        {"drag", "t n n n n", &ScriptSession::drag},
        {"clickpx", "t n n", &ScriptSession::mouse},
        {"dblclickpx", "t n n", &ScriptSession::mouse},
        {"dragpx", "t n n n n", &ScriptSession::drag},
        {"answer", "t", &ScriptSession::answer},
        {"input", "t", &ScriptSession::input},
        {"expect", "t", &ScriptSession::expect},
        {"shot", "t t?", &ScriptSession::shot},
        {"print", "t", &ScriptSession::print},
        {"dump", "t t", &ScriptSession::dump},
        {"delete", "t", &ScriptSession::deleteFile},
        {"wait", "i", &ScriptSession::wait},
        {"play", "t", nullptr},  // replaced by the played script's lines when the script is read
    };
    return table;
}

QHash<QString, QString> ScriptSession::signatures()
{
    QHash<QString, QString> out;
    for (const Entry& e : commandTable()) out.insert(QString::fromLatin1(e.verb), QString::fromLatin1(e.signature));
    return out;
}

void ScriptSession::settle()
{
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void ScriptSession::runWhile(const std::function<bool()>& goOn)
{
    while (next_ < commands_.size() && failure_.isEmpty() && goOn()) {
        const Command& c = commands_.at(next_++);
        QString why;
        for (const Entry& e : commandTable())
            if (c.verb == QLatin1String(e.verb) && e.handler) why = (this->*e.handler)(c);
        settle();
        if (why.isEmpty()) why = ui_.takeFailure();
        if (why.isEmpty()) continue;
        const QString where = c.file.isEmpty() ? QString() : QStringLiteral(" of ") + c.file;
        failure_ = QStringLiteral("line %1%2 (%3): %4").arg(c.line).arg(where, c.verb, why);
    }
}

void ScriptSession::runPrelude()
{
    static const QStringList queued = {QStringLiteral("answer"), QStringLiteral("input"), QStringLiteral("expect")};
    runWhile([this] { return queued.contains(commands_.at(next_).verb); });
}

QString ScriptSession::load(const QString& file, QList<Command>& commands, QStringList& chain)
{
    const QString name = QFileInfo(file).fileName();
    const QString absolute = QFileInfo(file).absoluteFilePath();
    if (chain.contains(absolute)) return QStringLiteral("%1 plays itself").arg(name);
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return QStringLiteral("cannot read ") + file;
    ScriptParser parser(signatures());
    if (!parser.parse(QString::fromUtf8(f.readAll())))
        return chain.isEmpty() ? parser.error() : name + QLatin1Char(' ') + parser.error();
    chain << absolute;
    for (Command c : parser.commands()) {
        if (chain.size() > 1) c.file = name;
        if (c.verb != QLatin1String("play")) {
            commands << c;
            continue;
        }
        const QString played = QFileInfo(file).absoluteDir().filePath(c.args.at(0));
        if (QString why = load(played, commands, chain); !why.isEmpty()) return why;
    }
    chain.removeLast();
    return QString();
}

int ScriptSession::runFile(const QString& file, frmMAIN& main)
{
    QList<Command> commands;
    QStringList chain;
    if (const QString why = load(file, commands, chain); !why.isEmpty()) {
        QTextStream(stderr) << "Script failed, " << why << Qt::endl;
        return 1;
    }
    vb::Ui& before = vb::Ui::instance();
    const QString folder = QFileInfo(file).absolutePath();
    ScriptUi ui(folder);
    vb::Ui::install(&ui);
    ScriptSession session(main, ui, folder, commands);
    session.runPrelude();
    if (session.failure_.isEmpty() && !main.MDIForm_Load()) session.failure_ = QStringLiteral("VELOR did not start");
    const int code = session.failure_.isEmpty() ? session.run() : session.finish();
    vb::Ui::install(&before);
    return code;
}

int ScriptSession::finish()
{
    if (failure_.isEmpty()) return 0;
    QTextStream(stderr) << "Script failed, " << failure_ << Qt::endl;
    return 1;
}

int ScriptSession::run()
{
    runWhile([] { return true; });
    ui_.setClosing(true);
    main_.mnuBEENDEN_Click();
    settle();
    if (failure_.isEmpty()) {
        QString why = ui_.takeFailure();
        if (why.isEmpty() && !ui_.expectationsMet()) why = QStringLiteral("an expected message did not come");
        if (why.isEmpty() && main_.isVisible()) why = QStringLiteral("VELOR did not end");
        if (!why.isEmpty()) failure_ = QStringLiteral("at the end: ") + why;
    }
    return finish();
}

void ScriptSession::runModal(QDialog& dialog)
{
    modals_.append(&dialog);
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    dialog.activateWindow();
    settle();
    runWhile([&dialog] { return dialog.isVisible(); });
    // The script ended or failed with the dialog still open: it goes as by Cancel.
    if (dialog.isVisible()) dialog.reject();
    modals_.removeAll(&dialog);
}

QString ScriptSession::path(const QString& name) const { return QDir(folder_).absoluteFilePath(name); }

QWidget* ScriptSession::activeWindow() const
{
    if (!modals_.isEmpty()) return modals_.last();
    if (QWidget* child = main_.activeChild()) return child;
    return &main_;
}

QWidget* ScriptSession::window(const QString& name) const
{
    for (QDialog* d : modals_)
        if (d->objectName() == name) return d;
    if (main_.objectName() == name) return &main_;
    for (QMdiSubWindow* frame : main_.mdiArea()->subWindowList())
        if (frame->widget() && frame->widget()->objectName() == name) return frame->widget();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == name && top->isVisible()) return top;
    return nullptr;
}

QWidget* ScriptSession::widget(const QString& target, QString& error) const
{
    QString name = target;
    QWidget* root = activeWindow();
    if (const qsizetype dot = target.indexOf(QLatin1Char('.')); dot > 0) {
        root = window(target.left(dot));
        name = target.mid(dot + 1);
        if (!root) {
            error = QStringLiteral("no window \"%1\"").arg(target.left(dot));
            return nullptr;
        }
    }
    int index = -1;
    static const QRegularExpression member(QStringLiteral("^(\\w+)\\((\\d+)\\)$"));
    if (const auto m = member.match(name); m.hasMatch()) {
        name = m.captured(1);
        index = m.captured(2).toInt();
    }
    QList<QWidget*> found = root->findChildren<QWidget*>(name);
    if (root->objectName() == name) found.prepend(root);
    for (QWidget* w : found)
        if (index < 0 || w->property("index").toInt() == index) return w;
    error = QStringLiteral("no widget \"%1\" in %2").arg(target, root->objectName());
    return nullptr;
}

template <class W>
W* ScriptSession::widgetAs(const QString& target, const char* kind, QString& error) const
{
    QWidget* w = widget(target, error);
    auto* typed = qobject_cast<W*>(w);
    if (w && !typed) error = QStringLiteral("\"%1\" is not %2").arg(target, QString::fromLatin1(kind));
    return typed;
}

QString ScriptSession::menu(const Command& c)
{
    QAction* action = main_.menu(c.args.at(0));
    if (!action) return QStringLiteral("no menu entry \"%1\"").arg(c.args.at(0));
    // The menus that lead to the entry open from the top, each running its enabling.
    QList<QMenu*> path;
    if (action->menu()) path.prepend(action->menu());
    for (QAction* a = action; a;) {
        QMenu* parent = nullptr;
        for (QObject* o : a->associatedObjects())
            if (auto* m = qobject_cast<QMenu*>(o)) parent = m;
        if (parent) path.prepend(parent);
        a = parent ? parent->menuAction() : nullptr;
    }
    for (QMenu* m : path) {
        if (!m->menuAction()->isEnabled()) return QStringLiteral("the menu \"%1\" is disabled").arg(m->objectName());
        emit m->aboutToShow();
        settle();
    }
    if (action->menu()) return QString();
    if (!action->isEnabled()) return QStringLiteral("the entry \"%1\" is disabled").arg(c.args.at(0));
    action->trigger();
    return QString();
}

QString ScriptSession::panel(const Command& c)
{
    const int n = c.args.at(0).toInt();
    vb::PanelBar* bar = main_.stbMAIN();
    if (n < 1 || n > bar->count()) return QStringLiteral("no panel %1").arg(n);
    if (!bar->isPanelVisible(n) || !bar->label(n)->isEnabled()) return QStringLiteral("panel %1 is not offered").arg(n);
    main_.stbMAIN_MouseDown(n);
    main_.stbMAIN_PanelClick(n);
    return QString();
}

QString ScriptSession::type(const Command& c)
{
    QString error;
    QWidget* w = widget(c.args.at(0), error);
    if (!w) return error;
    if (!w->isEnabled()) return QStringLiteral("\"%1\" is disabled").arg(c.args.at(0));
    focus(w);
    if (auto* line = qobject_cast<QLineEdit*>(w)) line->selectAll();
    typeText(w, c.args.at(1));
    return QString();
}

QString ScriptSession::check(const Command& c)
{
    QString error;
    auto* box = widgetAs<QCheckBox>(c.args.at(0), "a check box", error);
    if (!box) return error;
    if (!box->isEnabled()) return QStringLiteral("\"%1\" is disabled").arg(c.args.at(0));
    focus(box);
    if (box->isChecked() != (c.args.at(1) == QLatin1String("1"))) box->click();
    return QString();
}

QString ScriptSession::option(const Command& c)
{
    QString error;
    auto* option = widgetAs<QRadioButton>(QStringLiteral("%1(%2)").arg(c.args.at(0), c.args.at(1)), "an option button", error);
    if (!option) return error;
    if (!option->isEnabled()) return QStringLiteral("\"%1\" is disabled").arg(c.args.at(0));
    focus(option);
    option->click();
    return QString();
}

QString ScriptSession::choose(const Command& c)
{
    QString error;
    QWidget* w = widget(c.args.at(0), error);
    if (!w) return error;
    const QString& text = c.args.at(1);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const int i = combo->findText(text);
        if (i < 0) return QStringLiteral("\"%1\" does not offer \"%2\"").arg(c.args.at(0), text);
        focus(combo);
        combo->setCurrentIndex(i);
        emit combo->activated(i);
        return QString();
    }
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
        if (items.isEmpty()) return QStringLiteral("\"%1\" does not offer \"%2\"").arg(c.args.at(0), text);
        focus(list);
        list->setCurrentItem(items.first());
        emit list->itemClicked(items.first());
        return QString();
    }
    return QStringLiteral("\"%1\" is neither a list nor a combo box").arg(c.args.at(0));
}

QString ScriptSession::button(const Command& c)
{
    QString error;
    auto* b = widgetAs<QAbstractButton>(c.args.at(0), "a button", error);
    if (!b) return error;
    if (!b->isEnabled() || !b->isVisible()) return QStringLiteral("the button \"%1\" is not offered").arg(c.args.at(0));
    focus(b);
    b->click();
    return QString();
}

QString ScriptSession::cell(const Command& c)
{
    QString error;
    auto* grid = widgetAs<vb::FlexGrid>(c.args.at(0), "a grid", error);
    if (!grid) return error;
    const int row = c.args.at(1).toInt(), col = c.args.at(2).toInt();
    if (row < 0 || row >= grid->Rows() || col < 0 || col >= grid->Cols()) return QStringLiteral("the grid has no cell %1, %2").arg(row).arg(col);
    focus(grid);
    grid->setRow(row);
    grid->setCol(col);
    typeText(grid, c.args.at(3));
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
    sendKey(target, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    return QString();
}

QString ScriptSession::key(const Command& c)
{
    QString error;
    QWidget* w = widget(c.args.at(0), error);
    if (!w) return error;
    const QKeySequence keys = QKeySequence::fromString(c.args.at(1), QKeySequence::PortableText);
    if (keys.isEmpty()) return QStringLiteral("no keys \"%1\"").arg(c.args.at(1));
    focus(w);
    for (int i = 0; i < keys.count(); ++i) {
        const QKeyCombination k = keys[i];
        const bool plain = (k.keyboardModifiers() & ~Qt::ShiftModifier) == Qt::NoModifier && k.key() >= Qt::Key_Space && k.key() <= Qt::Key_AsciiTilde;
        sendKey(w, k.key(), k.keyboardModifiers(), plain ? QString(QChar(k.key())) : QString());
    }
    return QString();
}

// The picture a mouse command acts on and the pixel of its millimetre argument pair `first`;
// none for a position far off the picture, where no mouse can be (the picture counts its
// events in whole pixels).
std::optional<QPointF> ScriptSession::pixel(vb::PictureBox* picture, const Command& c, int first)
{
    const double x = c.args.at(first).toDouble(), y = c.args.at(first + 1).toDouble();
    // The ...px commands give a position in pixels of the loaded scan; both kinds go through
    // the picture's view (zoom and pan) as the mouse does.
    const QPointF at = c.verb.endsWith(QLatin1String("px")) ? picture->scanToWidget(QPointF(x, y))
                                                            : picture->viewTransform().map(picture->toPixels(x, y));
    const double reach = 100.0 * std::max(picture->width(), picture->height());
    if (!(std::abs(at.x()) <= reach && std::abs(at.y()) <= reach)) return std::nullopt;
    return at;
}

namespace {

QString farOff(const ScriptParser::Command& c, int first)
{
    return QStringLiteral("the position %1 %2 lies far outside the picture").arg(c.args.at(first), c.args.at(first + 1));
}

}  // namespace

QString ScriptSession::mouse(const Command& c)
{
    QString error;
    auto* picture = widgetAs<vb::PictureBox>(c.args.at(0), "a picture", error);
    if (!picture) return error;
    const auto where = pixel(picture, c, 1);
    if (!where) return farOff(c, 1);
    const QPointF at = *where;
    const Qt::MouseButton b = c.verb == QLatin1String("rightclick") ? Qt::RightButton : Qt::LeftButton;
    sendMouse(picture, QEvent::MouseButtonPress, at, b, b);
    sendMouse(picture, QEvent::MouseButtonRelease, at, b, Qt::NoButton);
    if (c.verb.startsWith(QLatin1String("dblclick"))) {
        sendMouse(picture, QEvent::MouseButtonDblClick, at, b, b);
        sendMouse(picture, QEvent::MouseButtonRelease, at, b, Qt::NoButton);
    }
    return QString();
}

QString ScriptSession::drag(const Command& c)
{
    QString error;
    auto* picture = widgetAs<vb::PictureBox>(c.args.at(0), "a picture", error);
    if (!picture) return error;
    const auto start = pixel(picture, c, 1), end = pixel(picture, c, 3);
    if (!start || !end) return farOff(c, start ? 3 : 1);
    const QPointF from = *start, to = *end;
    sendMouse(picture, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    constexpr int steps = 10;
    for (int i = 1; i <= steps; ++i) sendMouse(picture, QEvent::MouseMove, from + (to - from) * i / steps, Qt::NoButton, Qt::LeftButton);
    sendMouse(picture, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    return QString();
}

QString ScriptSession::answer(const Command& c)
{
    if (!ScriptUi::button(c.args.at(0))) return QStringLiteral("no button \"%1\"").arg(c.args.at(0));
    ui_.queueAnswer(c.args.at(0));
    return QString();
}

QString ScriptSession::input(const Command& c)
{
    ui_.queueInput(c.args.at(0));
    return QString();
}

QString ScriptSession::expect(const Command& c)
{
    ui_.queueExpectation(c.args.at(0));
    return QString();
}

QString ScriptSession::shot(const Command& c)
{
    QWidget* w = c.args.size() > 1 ? window(c.args.at(1)) : &main_;
    if (!w) return QStringLiteral("no window \"%1\"").arg(c.args.at(1));
    const QString file = path(c.args.at(0));
    QDir().mkpath(QFileInfo(file).absolutePath());
    settle();
    if (!w->grab().save(file, "PNG")) return QStringLiteral("cannot write \"%1\"").arg(file);
    QTextStream(stdout) << "Screenshot: " << file << Qt::endl;
    return QString();
}

QString ScriptSession::print(const Command& c)
{
    main_.printNextTo(path(c.args.at(0)));
    return QString();
}

QString ScriptSession::deleteFile(const Command& c)
{
    const QString file = path(c.args.at(0));
    if (QFileInfo(file).isDir()) return QStringLiteral("\"%1\" is a folder").arg(file);
    if (QFile::exists(file) && !QFile::remove(file)) return QStringLiteral("cannot delete \"%1\"").arg(file);
    return QString();
}

QString ScriptSession::dump(const Command& c)
{
    const QString& table = c.args.at(0);
    static const QRegularExpression name(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!name.match(table).hasMatch()) return QStringLiteral("\"%1\" is not a table name").arg(table);
    RecordStore store(main_.session());
    RecordStore::Rows rows;
    try {
        rows = store.rows(table, store.activeRecordId());
    } catch (const std::exception&) {
        return QStringLiteral("no table \"%1\"").arg(table);
    }
    QFile file(path(c.args.at(1)));
    QDir().mkpath(QFileInfo(file).absolutePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return QStringLiteral("cannot write \"%1\"").arg(file.fileName());
    QTextStream out(&file);
    out << rows.columns.join(QLatin1Char(',')) << '\n';
    for (const std::vector<vb::Value>& row : rows.values) {
        QStringList line;
        for (const vb::Value& value : row) line << csvText(value);
        out << line.join(QLatin1Char(',')) << '\n';
    }
    return QString();
}

QString ScriptSession::wait(const Command& c)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < c.args.at(0).toInt()) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return QString();
}
