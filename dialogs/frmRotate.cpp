#include "dialogs/frmRotate.h"

#include "base/Conversions.h"
#include "base/ResStringsWidget.h"
#include "dialogs/DialogPartsWidget.h"
#include "document/Document.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orv {

FrmRotate::FrmRotate(Document &doc, QWidget *parent) : QDialog(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("FrmRotate"));
    setWindowTitle(QStringLiteral("Rotate"));
    setTag(this, QStringLiteral("1223"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    auto *frames = new QHBoxLayout;
    m_angleFrame = new QGroupBox(QStringLiteral("Degrees"), this);
    m_angleFrame->setObjectName(QStringLiteral("Frame1"));
    setTag(m_angleFrame, QStringLiteral("1228"));
    auto *angles = new QGridLayout(m_angleFrame);
    const char *captions[4] = {"&90", "&180", "&270", "&Free"};
    for (int i = 0; i < 4; ++i) {
        m_angle[i] = new QRadioButton(QString::fromLatin1(captions[i]), m_angleFrame);
        m_angle[i]->setObjectName(QStringLiteral("Option2(%1)").arg(i));
        angles->addWidget(m_angle[i], i, 0);
        connect(m_angle[i], &QRadioButton::clicked, this, [this, i] { Option2_Click(i); });
    }
    setTag(m_angle[3], QStringLiteral("1230"));
    m_text = new QLineEdit(QStringLiteral("45"), m_angleFrame);
    m_text->setObjectName(QStringLiteral("TextAngle"));
    angles->addWidget(m_text, 3, 1);
    frames->addWidget(m_angleFrame);

    m_dirFrame = new QGroupBox(QStringLiteral("Direction"), this);
    m_dirFrame->setObjectName(QStringLiteral("Frame2"));
    setTag(m_dirFrame, QStringLiteral("1229"));
    auto *dirs = new QVBoxLayout(m_dirFrame);
    m_dir[0] = new QRadioButton(QStringLiteral("&Right"), m_dirFrame);
    m_dir[0]->setObjectName(QStringLiteral("Option1(0)"));
    setTag(m_dir[0], QStringLiteral("1231"));
    m_dir[1] = new QRadioButton(QStringLiteral("&Left"), m_dirFrame);
    m_dir[1]->setObjectName(QStringLiteral("Option1(1)"));
    setTag(m_dir[1], QStringLiteral("1232"));
    for (int i = 0; i < 2; ++i) {
        dirs->addWidget(m_dir[i]);
        connect(m_dir[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    }
    m_erase = new QCheckBox(QStringLiteral("Erase"), m_dirFrame);
    m_erase->setObjectName(QStringLiteral("hChkErase"));
    setTag(m_erase, QStringLiteral("1238"));
    dirs->addWidget(m_erase);
    frames->addWidget(m_dirFrame);
    layout->addLayout(frames);

    // A progress bar that nothing drives; it stays hidden.
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("Progress1"));
    m_progress->setVisible(false);
    layout->addWidget(m_progress);

    const OkCancelRow row = AddOkCancelRow(this, layout, QStringLiteral("cmdOK"), QStringLiteral("CmdCancel"), true);
    m_ok = row.ok;
    m_cancel = row.cancel;

    connect(m_ok, &QPushButton::clicked, this, &FrmRotate::cmdOK_Click);
    connect(m_cancel, &QPushButton::clicked, this, &FrmRotate::CmdCancel_Click);
    m_text->installEventFilter(this);

    Form_Load();
}

void FrmRotate::Form_Load()
{
    bool keepFonts = false;
    LoadResStrings(this, keepFonts);
    Direction = 0;
    Angle = 90;
    m_angle[0]->setChecked(true);
    m_dir[0]->setChecked(true);
    m_text->setEnabled(false);
}

void FrmRotate::Option2_Click(int index)
{
    static const double fixed[3] = {90, 180, 270};
    if (index >= 0 && index < 3) {
        Angle = fixed[index];
        m_text->setEnabled(false);
    } else if (index == 3) {
        m_text->setEnabled(true);
        Angle = ToInt16(LeadingNumber(m_text->text())).value_or(0);
    }
}

void FrmRotate::Option1_Click(int index)
{
    Direction = std::int16_t(index);
}

void FrmRotate::TextAngle_KeyUp(int keyCode)
{
    const double v = LeadingNumber(m_text->text());
    if (v < 0 || v > 360) {
        // Out of range: the box is emptied and the angle stays.
        m_text->clear();
        return;
    }
    Angle = ToInt16(v).value_or(std::int16_t(Angle));
    if (keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter)
        m_ok->setFocus();
}

void FrmRotate::cmdOK_Click()
{
    std::int16_t erase = m_erase->isChecked() ? 1 : 0;
    m_doc.sub_ROTATE(Angle, Direction, erase);
    accept();
}

void FrmRotate::CmdCancel_Click()
{
    reject();
}

bool FrmRotate::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text && event->type() == QEvent::KeyRelease)
        TextAngle_KeyUp(static_cast<QKeyEvent *>(event)->key());
    return QDialog::eventFilter(watched, event);
}

} // namespace orv
