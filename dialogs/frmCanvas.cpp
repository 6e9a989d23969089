#include "dialogs/frmCanvas.h"

#include "base/Conversions.h"
#include "base/ResStringsWidget.h"
#include "dialogs/DialogPartsWidget.h"
#include "dialogs/ImageResize.h"
#include "document/Document.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

frmCanvas::frmCanvas(Document &doc, QWidget *parent) : QDialog(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("frmCanvas"));
    setWindowTitle(QStringLiteral("Canvas Size"));
    setTag(this, QStringLiteral("1224"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    const SizeBoxes boxes = AddSizeBoxes(this, grid);
    m_label1 = boxes.label1;
    m_label2 = boxes.label2;
    m_textW = boxes.textW;
    m_textH = boxes.textH;
    layout->addLayout(grid);

    // Enter in a box is handled by the boxes themselves, not by a default button.
    const OkCancelRow row = AddOkCancelRow(this, layout, QStringLiteral("OKButton"), QStringLiteral("CancelButton"), true);
    m_ok = row.ok;
    m_cancel = row.cancel;

    connect(m_ok, &QPushButton::clicked, this, &frmCanvas::OKButton_Click);
    connect(m_cancel, &QPushButton::clicked, this, &frmCanvas::CancelButton_Click);
    m_textW->installEventFilter(this);
    m_textH->installEventFilter(this);

    bool keepFonts = false;
    LoadResStrings(this, keepFonts);
}

void frmCanvas::OKButton_Click()
{
    // Text that is no 16-bit number, or a size no surface can take here (below 1 or above
    // MaxImageSide()), ends the handler with nothing changed and nothing said.
    const std::optional<double> h = ParseSizeText(m_textH->text());
    const std::optional<double> w = ParseSizeText(m_textW->text());
    if (!h || !w)
        return;
    const std::optional<std::int16_t> H = ToInt16(*h);
    const std::optional<std::int16_t> W = ToInt16(*w);
    if (!H || !W || !ResizeCanvas(m_doc, *W, *H))
        return;
    accept();
}

void frmCanvas::CancelButton_Click()
{
    reject();
}

bool frmCanvas::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_textW || watched == m_textH) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OKButton_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace orv
