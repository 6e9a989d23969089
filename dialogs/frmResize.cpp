#include "dialogs/frmResize.h"

#include "base/ResStrings.h"
#include "base/ResStringsWidget.h"
#include "dialogs/DialogPartsWidget.h"
#include "dialogs/ImageResize.h"
#include "document/Document.h"
#include "document/LoopYield.h"
#include "tools/OrvSliderWidget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orv {

frmResize::frmResize(Document &doc, QWidget *parent) : QDialog(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("frmResize"));
    setWindowTitle(QStringLiteral("Resize"));
    setTag(this, QStringLiteral("1225"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    m_option[0] = new QRadioButton(QStringLiteral("Pixel Size"), this);
    m_option[0]->setObjectName(QStringLiteral("Option1(0)"));
    setTag(m_option[0], QStringLiteral("1233"));
    m_option[1] = new QRadioButton(QStringLiteral("Percentage"), this);
    m_option[1]->setObjectName(QStringLiteral("Option1(1)"));
    setTag(m_option[1], QStringLiteral("1234"));
    auto *options = new QHBoxLayout;
    options->addWidget(m_option[0]);
    options->addWidget(m_option[1]);
    layout->addLayout(options);

    m_frame = new QGroupBox(QStringLiteral("Equal Horizontal and Vertical "), this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    setTag(m_frame, QStringLiteral("1235"));
    auto *grid = new QGridLayout(m_frame);
    const SizeBoxes boxes = AddSizeBoxes(m_frame, grid);
    m_label1 = boxes.label1;
    m_label2 = boxes.label2;
    m_textW = boxes.textW;
    m_textH = boxes.textH;
    m_slider = new OrvSlider(m_frame);
    m_slider->setObjectName(QStringLiteral("Option2"));
    grid->addWidget(m_slider, 2, 0, 1, 2);
    layout->addWidget(m_frame);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("Progress1"));
    m_progress->setVisible(false);
    layout->addWidget(m_progress);

    const OkCancelRow row = AddOkCancelRow(this, layout, QStringLiteral("OKButton"), QStringLiteral("CancelButton"), false);
    m_ok = row.ok;
    m_cancel = row.cancel;

    Form_Load();

    connect(m_option[0], &QRadioButton::toggled, this, [this] { Option1_Click(); });
    connect(m_option[1], &QRadioButton::toggled, this, [this] { Option1_Click(); });
    connect(m_slider, &OrvSlider::valueChanged, this, &frmResize::Option2_Change);
    connect(m_ok, &QPushButton::clicked, this, &frmResize::OKButton_Click);
    connect(m_cancel, &QPushButton::clicked, this, &frmResize::CancelButton_Click);
}

void frmResize::Form_Load()
{
    bool keepFonts = false;
    LoadResStrings(this, keepFonts);
    // The boxes start at the selection's size when there is one, else at the picture's.
    if (m_doc.RectHWND) {
        m_startW = int(m_doc.ShapeRect1.Width);
        m_startH = int(m_doc.ShapeRect1.Height);
    } else {
        m_startW = m_doc.Picture1.ScaleWidth();
        m_startH = m_doc.Picture1.ScaleHeight();
    }
    m_textW->setText(QString::number(m_startW));
    m_textH->setText(QString::number(m_startH));
    m_slider->setSuffix(QStringLiteral("%"));
    m_slider->setRange(50, 200);
    m_slider->setValue(100);
    m_option[0]->setChecked(true);
    m_slider->setVisible(false);
}

void frmResize::Option1_Click()
{
    m_slider->setVisible(m_option[1]->isChecked());
}

void frmResize::Option2_Change(int value)
{
    if (!m_option[1]->isChecked())
        return;
    m_textW->setText(QString::number(value / 100.0 * m_startW, 'g', 15));
    m_textH->setText(QString::number(value / 100.0 * m_startH, 'g', 15));
}

void frmResize::OKButton_Click()
{
    // Text that is no number, or a size no picture can have here (below 1 or above
    // MaxImageSide()), ends the handler with nothing changed and nothing said.
    const std::optional<double> w = ParseSizeText(m_textW->text());
    const std::optional<double> h = ParseSizeText(m_textH->text());
    if (!w || !h || !SideFromNumber(*w) || !SideFromNumber(*h))
        return;
    m_progress->setVisible(true);
    m_progress->setRange(0, *SideFromNumber(*h));
    m_progress->setValue(0);
    m_rows = 0;
    // The per-pixel loop reports every row; the bar and the window are brought up to date at
    // most every 50 ms, with input held back until the picture is done.
    LoopYield yield;
    ResizeDocument(m_doc, *w, *h, [this, &yield](int row) {
        m_rows = row;
        if (yield.due()) {
            m_progress->setValue(row);
            yield.run();
        }
    });
    m_progress->setVisible(false);
    accept();
}

void frmResize::CancelButton_Click()
{
    reject();
}

} // namespace orv
