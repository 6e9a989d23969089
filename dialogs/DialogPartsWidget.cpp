#include "dialogs/DialogPartsWidget.h"

#include "base/ResStringsWidget.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

OkCancelRow AddOkCancelRow(QWidget *dialog, QBoxLayout *layout, const QString &okName, const QString &cancelName,
                           bool enterInBoxes)
{
    OkCancelRow row;
    row.ok = new QPushButton(QStringLiteral("&OK"), dialog);
    row.ok->setObjectName(okName);
    setTag(row.ok, QStringLiteral("1243"));
    row.cancel = new QPushButton(QStringLiteral("&Cancel"), dialog);
    row.cancel->setObjectName(cancelName);
    setTag(row.cancel, QStringLiteral("1244"));
    if (enterInBoxes) {
        row.ok->setAutoDefault(false);
        row.cancel->setAutoDefault(false);
    } else {
        row.ok->setDefault(true);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(row.ok);
    buttons->addWidget(row.cancel);
    layout->addLayout(buttons);
    return row;
}

SizeBoxes AddSizeBoxes(QWidget *parent, QGridLayout *grid)
{
    SizeBoxes b;
    b.label1 = new QLabel(QStringLiteral("Width"), parent);
    b.label1->setObjectName(QStringLiteral("Label1"));
    setTag(b.label1, QStringLiteral("1135"));
    b.label2 = new QLabel(QStringLiteral("Height"), parent);
    b.label2->setObjectName(QStringLiteral("Label2"));
    setTag(b.label2, QStringLiteral("1136"));
    b.textW = new QLineEdit(parent);
    b.textW->setObjectName(QStringLiteral("TextW"));
    b.textH = new QLineEdit(parent);
    b.textH->setObjectName(QStringLiteral("TextH"));
    b.label1->setBuddy(b.textW);
    b.label2->setBuddy(b.textH);
    grid->addWidget(b.label1, 0, 0);
    grid->addWidget(b.textW, 0, 1);
    grid->addWidget(b.label2, 1, 0);
    grid->addWidget(b.textH, 1, 1);
    return b;
}

} // namespace orv
