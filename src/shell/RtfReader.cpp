#include "shell/RtfReader.h"

#include <QHash>
#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace {

struct Format {
    bool bold = false;
    bool italic = false;
    int halfPoints = 24;
    int indentTwips = 0;
    bool skipped = false;
    bool picture = false;
    int pictureWidthTwips = 0;

    bool sameLook(const Format& o) const { return bold == o.bold && italic == o.italic && halfPoints == o.halfPoints; }
};

// Windows-1252 differs from Latin-1 only between 0x80 and 0x9F.
QChar windows1252(unsigned char c)
{
    static const char16_t high[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
        0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
    };
    return c >= 0x80 && c < 0xA0 ? QChar(high[c - 0x80]) : QChar(c);
}

const QHash<QByteArray, QChar>& symbolWords()
{
    static const QHash<QByteArray, QChar> words{
        {"bullet", QChar(0x2022)}, {"endash", QChar(0x2013)}, {"emdash", QChar(0x2014)}, {"lquote", QChar(0x2018)},
        {"rquote", QChar(0x2019)}, {"ldblquote", QChar(0x201C)}, {"rdblquote", QChar(0x201D)}, {"tab", QLatin1Char(' ')},
    };
    return words;
}

bool isDestinationSkipped(const QByteArray& word)
{
    return word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info" || word == "header"
           || word == "footer";
}

class Parser {
public:
    explicit Parser(const QByteArray& rtf) : in_(rtf) { stack_.push_back(Format{}); }

    RtfReader::Content run()
    {
        while (pos_ < in_.size()) step();
        endParagraph();
        return std::move(out_);
    }

private:
    Format& format() { return stack_.back(); }

    void step()
    {
        const char c = in_[pos_++];
        if (c == '{') {
            stack_.push_back(format());
            // "{\*\destination" is one this reader does not know.
            if (in_.mid(pos_, 2) == "\\*") format().skipped = true;
        } else if (c == '}') {
            closeGroup();
        } else if (c == '\\') {
            control();
        } else if (c != '\r' && c != '\n') {
            text(windows1252(static_cast<unsigned char>(c)));
        }
    }

    void closeGroup()
    {
        if (format().picture && !format().skipped) picture();
        if (stack_.size() > 1) stack_.pop_back();
    }

    void control()
    {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (c == '\'') {
            bool ok = false;
            const int code = in_.mid(pos_ + 1, 2).toInt(&ok, 16);
            pos_ += 3;
            if (ok) text(windows1252(static_cast<unsigned char>(code)));
            return;
        }
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            if (c == '\\' || c == '{' || c == '}') text(QLatin1Char(c));
            else if (c == '~') text(QChar(0x00A0));
            return;
        }
        QByteArray word;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_]))) word += in_[pos_++];
        QByteArray digits;
        if (pos_ < in_.size() && in_[pos_] == '-') digits += in_[pos_++];
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) digits += in_[pos_++];
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        apply(word, digits.isEmpty() ? std::optional<int>() : std::optional<int>(digits.toInt()));
    }

    void apply(const QByteArray& word, std::optional<int> n)
    {
        Format& f = format();
        if (isDestinationSkipped(word)) f.skipped = true;
        else if (word == "pict") f.picture = true;
        else if (word == "picwgoal") f.pictureWidthTwips = n.value_or(0);
        else if (word == "par") endParagraph();
        else if (word == "line") text(QChar(QChar::LineSeparator));
        else if (word == "pard") f.indentTwips = 0;
        else if (word == "li") f.indentTwips = n.value_or(0);
        else if (word == "b") f.bold = n.value_or(1) != 0;
        else if (word == "i") f.italic = n.value_or(1) != 0;
        else if (word == "fs") f.halfPoints = n.value_or(24);
        else if (word == "u" && n) {
            text(QChar(static_cast<char16_t>(static_cast<short>(*n))));
            // The fallback character for readers without \u follows.
            if (pos_ < in_.size() && in_[pos_] != '\\' && in_[pos_] != '{' && in_[pos_] != '}') ++pos_;
        } else if (const auto s = symbolWords().find(word); s != symbolWords().end()) text(*s);
    }

    void text(QChar c)
    {
        const Format& f = format();
        if (f.skipped) return;
        if (f.picture) {
            if (std::isxdigit(c.toLatin1())) hex_ += c.toLatin1();
            return;
        }
        if (runs_.empty() || !runs_.back().first.sameLook(f)) runs_.emplace_back(f, QString());
        if (paragraphIndent_ < 0) paragraphIndent_ = f.indentTwips;
        runs_.back().second += c;
    }

    void picture()
    {
        const QImage image = QImage::fromData(QByteArray::fromHex(hex_), "PNG");
        hex_.clear();
        if (image.isNull()) return;
        const int index = static_cast<int>(out_.pictures.size());
        out_.pictures.append(image);
        // Twips to the window's pixels at 96 dpi; without a goal the picture keeps its pixels.
        const int width = format().pictureWidthTwips > 0 ? format().pictureWidthTwips / 15 : image.width();
        images_ += QStringLiteral("<img src=\"%1\" width=\"%2\">").arg(RtfReader::pictureName(index)).arg(width);
    }

    void endParagraph()
    {
        if (runs_.empty() && images_.isEmpty()) return;
        QString html = QStringLiteral("<p style=\"margin-left:%1px\">").arg(std::max(paragraphIndent_, 0) / 15);
        for (const auto& [f, t] : runs_) {
            html += QStringLiteral("<span style=\"font-size:%1pt;%2%3\">")
                        .arg(f.halfPoints / 2.0)
                        .arg(f.bold ? QStringLiteral("font-weight:bold;") : QString(),
                             f.italic ? QStringLiteral("font-style:italic;") : QString());
            html += t.toHtmlEscaped().replace(QChar(QChar::LineSeparator), QStringLiteral("<br>")) + QStringLiteral("</span>");
        }
        out_.html += html + images_ + QStringLiteral("</p>\n");
        runs_.clear();
        images_.clear();
        paragraphIndent_ = -1;
    }

    const QByteArray& in_;
    qsizetype pos_ = 0;
    std::vector<Format> stack_;
    std::vector<std::pair<Format, QString>> runs_;
    QString images_;
    QByteArray hex_;
    int paragraphIndent_ = -1;
    RtfReader::Content out_;
};

}  // namespace

RtfReader::Content RtfReader::read(const QByteArray& rtf) { return Parser(rtf).run(); }
