// Pieces the image dialogs share: the OK and Cancel row, and the width and height boxes with
// their labels. Every piece carries its string id, so LoadResStrings gives it its text.
#pragma once

#include <QString>

class QBoxLayout;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace orv {

struct OkCancelRow {
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
};

// Adds OK and Cancel, right-aligned, to `layout`; the buttons are named as given. With
// `enterInBoxes` the buttons never act as default buttons, because the dialog's text boxes
// handle Enter themselves.
OkCancelRow AddOkCancelRow(QWidget *dialog, QBoxLayout *layout, const QString &okName, const QString &cancelName,
                           bool enterInBoxes);

struct SizeBoxes {
    QLabel *label1 = nullptr;   // "Width"
    QLabel *label2 = nullptr;   // "Height"
    QLineEdit *textW = nullptr;
    QLineEdit *textH = nullptr;
};

// The labelled width and height boxes (Label1/TextW, Label2/TextH) in the first two rows of `grid`.
SizeBoxes AddSizeBoxes(QWidget *parent, QGridLayout *grid);

} // namespace orv
