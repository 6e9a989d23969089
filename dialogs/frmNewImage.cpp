#include "dialogs/frmNewImage.h"

#include "base/AppInfo.h"
#include "base/Conversions.h"
#include "base/ResStrings.h"
#include "base/ResStringsWidget.h"
#include "base/SettingsStore.h"
#include "dialogs/NewImageRules.h"
#include "document/DocumentHost.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orv {

namespace {

const QString kSettings = QStringLiteral("Settings");

} // namespace

frmNewImage::frmNewImage(OptionsRecord &options, QWidget *parent) : QDialog(parent), m_options(options)
{
    setObjectName(QStringLiteral("frmNewImage"));
    setWindowTitle(QStringLiteral("New Image"));
    setTag(this, QStringLiteral("1132"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    m_label1 = new QLabel(QStringLiteral("Size Of Image"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    setTag(m_label1, QStringLiteral("1133"));
    layout->addWidget(m_label1);

    m_optPreset = new QRadioButton(this);
    m_optPreset->setObjectName(QStringLiteral("Option1(0)"));
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("Combo1"));
    for (int i = 0; i < NewImagePresetCount; ++i)
        m_combo->addItem(NewImagePresetText(i));
    auto *presetRow = new QHBoxLayout;
    presetRow->addWidget(m_optPreset);
    presetRow->addWidget(m_combo, 1);
    layout->addLayout(presetRow);

    m_optCustom = new QRadioButton(QStringLiteral("Custom Size"), this);
    m_optCustom->setObjectName(QStringLiteral("Option1(1)"));
    setTag(m_optCustom, QStringLiteral("1134"));
    layout->addWidget(m_optCustom);

    m_frame = new QGroupBox(this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(m_frame);
    m_label2 = new QLabel(QStringLiteral("Width"), m_frame);
    m_label2->setObjectName(QStringLiteral("Label2"));
    setTag(m_label2, QStringLiteral("1135"));
    m_label3 = new QLabel(QStringLiteral("Height"), m_frame);
    m_label3->setObjectName(QStringLiteral("Label3"));
    setTag(m_label3, QStringLiteral("1136"));
    m_txtWidth = new QLineEdit(m_frame);
    m_txtWidth->setObjectName(QStringLiteral("TxtWidth"));
    m_txtHeight = new QLineEdit(m_frame);
    m_txtHeight->setObjectName(QStringLiteral("TxtHeight"));
    m_label2->setBuddy(m_txtWidth);
    m_label3->setBuddy(m_txtHeight);
    grid->addWidget(m_label2, 0, 0);
    grid->addWidget(m_txtWidth, 0, 1);
    grid->addWidget(m_label3, 1, 0);
    grid->addWidget(m_txtHeight, 1, 1);
    layout->addWidget(m_frame);

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("Command1"));
    setTag(m_ok, QStringLiteral("1057"));
    m_ok->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("Command2"));
    setTag(m_cancelButton, QStringLiteral("1058"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons);

    connect(m_optPreset, &QRadioButton::clicked, this, [this] { Option1_Click(0); });
    connect(m_optCustom, &QRadioButton::clicked, this, [this] { Option1_Click(1); });
    connect(m_ok, &QPushButton::clicked, this, &frmNewImage::Command1_Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &frmNewImage::Command2_Click);
    m_txtWidth->installEventFilter(this);
    m_txtHeight->installEventFilter(this);

    Form_Load();
}

void frmNewImage::Form_Load()
{
    bool keepFonts = false;
    LoadResStrings(this, keepFonts);

    const bool manual =
        ParseBoolean(GetSetting(AppTitle(), kSettings, QStringLiteral("Manual"), QStringLiteral("False"))).value_or(false);
    m_optCustom->setChecked(manual);
    m_optPreset->setChecked(!manual);
    Option1_Click(manual ? 1 : 0);

    m_txtWidth->setText(GetSetting(AppTitle(), kSettings, QStringLiteral("NewFileWidth"),
                                   QString::number(m_options.NewFileWidth)));
    m_txtHeight->setText(GetSetting(AppTitle(), kSettings, QStringLiteral("NewFileHeight"),
                                    QString::number(m_options.NewFileHeight)));
    const double index = LeadingNumber(GetSetting(AppTitle(), kSettings, QStringLiteral("ListIndex"), QStringLiteral("0")));
    const int listIndex = CInt(index);
    m_combo->setCurrentIndex(listIndex >= 0 && listIndex < NewImagePresetCount ? listIndex : 0);
    m_cancel = true;

    (manual ? static_cast<QWidget *>(m_txtWidth) : static_cast<QWidget *>(m_combo))->setFocus();
    if (manual)
        m_txtWidth->selectAll();
}

void frmNewImage::Option1_Click(int index)
{
    const bool custom = index == 1;
    for (QWidget *w : {static_cast<QWidget *>(m_frame), static_cast<QWidget *>(m_label2),
                       static_cast<QWidget *>(m_label3), static_cast<QWidget *>(m_txtHeight),
                       static_cast<QWidget *>(m_txtWidth)})
        w->setEnabled(custom);
    m_combo->setEnabled(!custom);
}

void frmNewImage::Command1_Click()
{
    m_cancel = false;
    if (m_optCustom->isChecked()) {
        const std::optional<QSize> size = ParseCustomImageSize(m_txtWidth->text(), m_txtHeight->text());
        if (!size) {
            MsgBox(LoadResString(1137), Msg::Critical, LoadResString(1174));
            m_txtWidth->setFocus();
            m_txtWidth->selectAll();
            return;
        }
        m_options.NewFileHeight = std::int16_t(size->height());
        m_options.NewFileWidth = std::int16_t(size->width());
        SaveSetting(AppTitle(), kSettings, QStringLiteral("NewFileHeight"), QString::number(size->height()));
        SaveSetting(AppTitle(), kSettings, QStringLiteral("NewFileWidth"), QString::number(size->width()));
        SaveSetting(AppTitle(), kSettings, QStringLiteral("Manual"), QStringLiteral("True"));
        accept();
        return;
    }
    if (m_optPreset->isChecked()) {
        const int index = m_combo->currentIndex();
        if (const std::optional<QSize> size = NewImagePresetSize(index)) {
            m_options.NewFileWidth = std::int16_t(size->width());
            m_options.NewFileHeight = std::int16_t(size->height());
        }
        SaveSetting(AppTitle(), kSettings, QStringLiteral("ListIndex"), QString::number(index));
        SaveSetting(AppTitle(), kSettings, QStringLiteral("NewFileHeight"), QString::number(m_options.NewFileHeight));
        SaveSetting(AppTitle(), kSettings, QStringLiteral("NewFileWidth"), QString::number(m_options.NewFileWidth));
        SaveSetting(AppTitle(), kSettings, QStringLiteral("Manual"), QStringLiteral("False"));
        accept();
        return;
    }
    MsgBox(LoadResString(1138), Msg::Critical, LoadResString(1174));
}

void frmNewImage::Command2_Click()
{
    m_cancel = true;
    reject();
}

bool frmNewImage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == m_txtWidth) {
                m_txtHeight->setFocus();
                m_txtHeight->selectAll();
                return true;
            }
            if (watched == m_txtHeight) {
                Command1_Click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

int frmNewImage::MsgBox(const QString &text, int style, const QString &title)
{
    if (msgBoxHook)
        return msgBoxHook(text, style, title);
    QMessageBox::critical(this, title, text);
    return Msg::OK;
}

} // namespace orv
