#include "capture/CaptureSteps.h"

#include "capture/frmVELOR.h"

namespace {

struct Texts {
    const char* german;
    const char* english;
};

const Texts choosePicture{"Schritt 1: unter \u201EDatei\u201C ein Diagramm wählen \u2013 auch \u201EAndere Datei \u2026\u201C "
                          "(Bild, PDF), hierher ziehen oder Strg+V.",
                          "Step 1: choose a diagram under \u201CFile\u201D \u2013 also \u201COther file \u2026\u201D "
                          "(picture, PDF), drag it here or Ctrl+V."};
const Texts firstCorner{"Schritt 2: XMAX und YMIN eintragen, \u201EXMAX / YMIN\u201C wählen und diese Ecke des "
                        "Diagramms anklicken.",
                        "Step 2: type XMAX and YMIN, choose \u201CXMAX / YMIN\u201D and click that corner of the diagram."};
const Texts clickFirst{"Schritt 2: die Ecke XMAX / YMIN des Diagramms anklicken (die Lupe zeigt sie genau).",
                       "Step 2: click the corner XMAX / YMIN of the diagram (the loupe shows it exactly)."};
const Texts secondCorner{"Schritt 3: XMIN und YMAX eintragen, \u201EXMIN / YMAX\u201C wählen und diese Ecke anklicken.",
                         "Step 3: type XMIN and YMAX, choose \u201CXMIN / YMAX\u201D and click that corner."};
const Texts clickSecond{"Schritt 3: die Ecke XMIN / YMAX des Diagramms anklicken.",
                        "Step 3: click the corner XMIN / YMAX of the diagram."};
const Texts alongCurves{"Schritt 4: \u201EPOLYGONE\u201C wählen und entlang der Kurven klicken.",
                        "Step 4: choose \u201CPOLYGONE\u201D and click along the curves."};
const Texts capturing{"Entlang der Kurven klicken; OK speichert die Punkte.",
                      "Click along the curves; OK stores the points."};

}  // namespace

QString CaptureSteps::next(const State& s, bool english)
{
    const auto pick = [english](const Texts& t) { return QString::fromUtf8(english ? t.english : t.german); };
    if (!s.picture) return pick(choosePicture);
    if (!s.xmaxYmin) return pick(s.option == frmVELOR::XmaxYmin ? clickFirst : firstCorner);
    if (!s.xminYmax) return pick(s.option == frmVELOR::XminYmax ? clickSecond : secondCorner);
    return pick(s.option == frmVELOR::POLYGONE ? capturing : alongCurves);
}
