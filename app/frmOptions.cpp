#include "app/frmOptions.h"

#include "base/ResStringsWidget.h"
#include "tools/OrvSliderWidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orv {

frmOptions::frmOptions(AppState &state, std::function<bool()> hasActiveDocument, QWidget *parent)
    : QDialog(parent), m_state(state), m_hasActiveDocument(std::move(hasActiveDocument))
{
    setObjectName(QStringLiteral("frmOptions"));
    setModal(true);
    buildControls();
    Form_Load();
}

void frmOptions::buildControls()
{
    // Design texts are the English ones; the string table replaces them through the tags.
    setWindowTitle(QStringLiteral("Options"));
    setTag(this, QStringLiteral("1142"));

    SSTab1 = named(new QTabWidget(this), "SSTab1");

    // General: what happens at start-up, and the zoom factor of the magnifier.
    auto *general = new QWidget;
    general->setObjectName(QStringLiteral("TabGeneral"));
    Frame2 = named(new QGroupBox(QStringLiteral("Startup"), general), "Frame2", "1143");
    StartupImage = named(new QCheckBox(QStringLiteral("Auto-New Image on startup"), Frame2), "StartupImage", "1144");
    auto *frame2Layout = new QVBoxLayout(Frame2);
    frame2Layout->addWidget(StartupImage);
    OptionZoom = named(new OrvSlider(general), "OptionZoom");
    auto *generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(Frame2);
    generalLayout->addWidget(OptionZoom);
    generalLayout->addStretch(1);

    // Exit: which groups are saved when the program closes.
    auto *exitPage = new QWidget;
    exitPage->setObjectName(QStringLiteral("TabExit"));
    Frame1 = named(new QGroupBox(QStringLiteral("Save to exit"), exitPage), "Frame1", "1153");
    View = named(new QCheckBox(QStringLiteral("Save behavior options"), Frame1), "View", "1154");
    ToolProperties = named(new QCheckBox(QStringLiteral("Save tool properties"), Frame1), "ToolProperties", "1156");
    auto *frame1Layout = new QVBoxLayout(Frame1);
    frame1Layout->addWidget(View);
    frame1Layout->addWidget(ToolProperties);
    auto *exitLayout = new QVBoxLayout(exitPage);
    exitLayout->addWidget(Frame1);
    exitLayout->addStretch(1);

    // Drawing: continuous lines and mirrors.
    auto *drawing = new QWidget;
    drawing->setObjectName(QStringLiteral("TabDrawing"));
    Frame4 = named(new QGroupBox(QStringLiteral("Drawing properties"), drawing), "Frame4", "1158");
    ContLineClose = named(new QCheckBox(QStringLiteral("Close Continuous line"), Frame4), "ContLineClose", "1159");
    auto *frame4Layout = new QVBoxLayout(Frame4);
    frame4Layout->addWidget(ContLineClose);
    frmMirror = named(new QGroupBox(QStringLiteral("Mirrors"), drawing), "frmMirror", "1195");
    Option3[0] = named(new QRadioButton(QStringLiteral("1 Mirror"), frmMirror), "Option3(0)", "1193");
    Option3[1] = named(new QRadioButton(QStringLiteral("2 Mirror"), frmMirror), "Option3(1)", "1194");
    auto *mirrorGroup = new QButtonGroup(frmMirror);
    auto *mirrorLayout = new QVBoxLayout(frmMirror);
    for (int i = 0; i < 2; ++i) {
        Option3[i]->setProperty("Index", i);
        mirrorGroup->addButton(Option3[i], i);
        mirrorLayout->addWidget(Option3[i]);
    }
    auto *drawingLayout = new QVBoxLayout(drawing);
    drawingLayout->addWidget(Frame4);
    drawingLayout->addWidget(frmMirror);
    drawingLayout->addStretch(1);

    SSTab1->addTab(general, QStringLiteral("1139"));
    SSTab1->addTab(exitPage, QStringLiteral("1140"));
    SSTab1->addTab(drawing, QStringLiteral("1141"));

    cmdOK = named(new QPushButton(QStringLiteral("&OK"), this), "cmdOK", "1243");
    cmdCancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "cmdCancel", "1244");
    cmdApply = named(new QPushButton(QStringLiteral("&Apply"), this), "cmdApply", "1245");
    cmdOK->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdApply);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1, 1);
    layout->addLayout(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 48);

    connect(View, &QCheckBox::clicked, this, &frmOptions::View_Click);
    connect(StartupImage, &QCheckBox::clicked, this, &frmOptions::StartupImage_Click);
    connect(ToolProperties, &QCheckBox::clicked, this, &frmOptions::ToolProperties_Click);
    connect(ContLineClose, &QCheckBox::clicked, this, &frmOptions::ContLineClose_Click);
    connect(Option3[0], &QRadioButton::clicked, this, [this] { Option3_Click(0); });
    connect(Option3[1], &QRadioButton::clicked, this, [this] { Option3_Click(1); });
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::CmdCancel_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
}

void frmOptions::Form_Load()
{
    // 1257 is no id of the table, so the caption stays as set here.
    OptionZoom->setCaption(QStringLiteral("Zoom Factor"));
    setTag(OptionZoom, QStringLiteral("1257"));

    bool keepFonts = false;
    LoadResStrings(this, keepFonts);
    SSTab1->setCurrentIndex(0);
    cmdApply->setEnabled(false);

    m_copy = m_state.options;

    // A box is checked when its field is set; otherwise it stays unchecked as built.
    if (m_copy.MasterView != 0)
        View->setChecked(true);
    if (m_copy.OpenImageOnstartup != 0)
        StartupImage->setChecked(true);
    if (m_copy.ContLineClose != 0)
        ContLineClose->setChecked(true);
    if (m_copy.MasterToolProperties != 0)
        ToolProperties->setChecked(true);

    // With a mirror count other than 1 or 2 (and a document open) neither button is chosen.
    const bool document = m_hasActiveDocument && m_hasActiveDocument();
    if (!document || m_state.mirrorCount == 1)
        Option3[0]->setChecked(true);
    else if (m_state.mirrorCount == 2)
        Option3[1]->setChecked(true);

    OptionZoom->setRange(1, 20);
    OptionZoom->setValue(m_state.zoomFactor);
    // Connected after loading: only the user's moves change the zoom factor, so a factor the
    // slider cannot show (the zoom window's Plus goes beyond 20) survives opening the dialog.
    connect(OptionZoom, &OrvSlider::valueChanged, this, &frmOptions::OptionZoom_Change);
}

void frmOptions::checkBoxClicked(QCheckBox *box, std::int16_t &field)
{
    field = box->isChecked() ? -1 : 0;
    cmdApply->setEnabled(true);
}

void frmOptions::View_Click()
{
    checkBoxClicked(View, m_copy.MasterView);
}

void frmOptions::StartupImage_Click()
{
    checkBoxClicked(StartupImage, m_copy.OpenImageOnstartup);
}

void frmOptions::ToolProperties_Click()
{
    checkBoxClicked(ToolProperties, m_copy.MasterToolProperties);
}

void frmOptions::ContLineClose_Click()
{
    checkBoxClicked(ContLineClose, m_copy.ContLineClose);
}

void frmOptions::Option3_Click(int index)
{
    if (m_hasActiveDocument && m_hasActiveDocument())
        m_state.mirrorCount = std::int16_t(index + 1);
}

void frmOptions::OptionZoom_Change(int value)
{
    m_state.zoomFactor = std::int16_t(value);
}

void frmOptions::cmdApply_Click()
{
    m_state.options = m_copy;
    cmdApply->setEnabled(false);
}

void frmOptions::cmdOK_Click()
{
    cmdApply_Click();
    accept();
}

void frmOptions::CmdCancel_Click()
{
    // The private copy goes with the dialog (Esc and the close button reject it the same way).
    reject();
}

} // namespace orv
