#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// One item of composed output: an element of a section with its value at print time, placed on
// its page. Rectangles are in hundredths of an inch from the top-left corner of the paper.
struct TVystPrvek {
    int kind = 1; // element kind (1 to 11)
    int source = 0;
    QRect rect;
    // Text of kinds 1 to 6; a multi-line value (memo field) has its lines separated by '\n'.
    QString text;
    bool multiLine = false;

    QString fontName;
    int fontSize = 10; // points
    int style = 0;     // 1 bold, 2 italic, 4 underline, 8 strike-out
    int colour = 0;    // index into the colour table
    int charset = 1;
    int alignment = 0; // low two bits: 0 left, 1 right, 2 centre; higher bits are element options
    int flags = 0;

    int lineWidth = 1;
    int lineColour = 0;
    int lineStyle = 0;
    int fillColour = 15;
    int fillStyle = 0;
    QImage picture; // kind 11, or a data field holding a picture

    // Made by a "Počet stran" element: its text is set once the page count is known, formatted
    // with `format` (the element's text) when that is not empty.
    bool pageCount = false;
    QString format;

    bool isText() const { return kind >= 1 && kind <= 6 && picture.isNull(); }
    bool hasPicture() const { return !picture.isNull(); }
    int horizontalAlignment() const { return alignment & 3; }
    // Lines of a text item.
    QStringList lines() const { return text.split(u'\n'); }
};
