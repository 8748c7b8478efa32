#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// One element of a report section as an element line of the template describes it. Positions and
// sizes are in hundredths of an inch from the top-left corner of the section.
struct TSiReportElement {
    enum Kind {
        Text = 1,         // "Text"
        FieldValue = 2,   // "Položka"
        FieldCaption = 3, // "Popis položky"
        Parameter = 4,    // "Parametr"
        Variable = 5,     // "Proměnná"
        Function = 6,     // "Funkce"
        Line = 7,         // "Úsečka"
        Frame = 8,        // "Rámeček"
        RoundFrame = 9,   // "Zaoblený rámeček"
        Ellipse = 10,     // "Elipsa"
        Picture = 11,     // "Obrázek"
        SubReport = 15,   // place of a sub-report
    };
    // System variables of kind 5; group n adds RowInGroup + 2n and GroupNumber + 2n.
    enum SystemVariable {
        DatumTisku = 0,
        CasTisku = 1,
        CisloRadku = 2,
        CisloStranky = 3,
        PocetStran = 4,
        RowInGroup = 5,
        GroupNumber = 6,
    };
    enum StyleBits { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
    enum HorizontalAlignment { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };
    // Option bits kept in the alignment field: a text that wraps at the element's width, and a data
    // field that grows downwards with its content (memo fields).
    enum AlignmentOptions { OptionWordWrap = 8, OptionStretch = 16 };
    // Flag of the graphic kinds: the shape is drawn without filling its inside.
    enum GraphicFlags { FlagNoFill = 8 };

    int kind = Text;
    int source = 0;
    QString sourceName; // name given in the template for kinds 2, 3 and 6; written back instead of the number
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    QString fontName = QStringLiteral("Times New Roman CE");
    int fontSize = 10;
    int colour = 0;
    int style = 0;
    int alignment = 0;
    int flags = 0;
    int charset = 1;
    QString text;
    int extra = 0;

    int lineWidth = 1;
    int lineColour = 0;
    int lineStyle = 0;
    int fillColour = 15;
    int fillStyle = 0;
    QString pictureFile; // kind 11, without its directory
    QImage picture;      // kind 11 once loaded

    static bool isKnownKind(int kind) { return (kind >= Text && kind <= Picture) || kind == SubReport; }
    bool isTextLike() const { return kind >= Text && kind <= Function; }
    bool isGraphic() const { return kind >= Line && kind <= Picture; }
    int horizontalAlignment() const { return alignment & 3; }
    int alignmentOptions() const { return alignment & 0xF8; }
    bool wordWrap() const { return (alignment & OptionWordWrap) != 0; }
    bool isStretching() const { return kind == FieldValue && (alignment & OptionStretch) != 0; }
    QRect rect() const { return QRect(x, y, width, height); }
};
