#include "tools/OrvSliderWidget.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace orv {

OrvSlider::OrvSlider(QWidget *parent)
    : QWidget(parent)
{
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("caption"));
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("slider"));
    m_slider->setRange(0, 10);
    m_slider->setFocusPolicy(Qt::StrongFocus);
    m_value = new QLabel(this);
    m_value->setObjectName(QStringLiteral("value"));
    m_value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_caption->setBuddy(m_slider);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_slider, 1);
    row->addWidget(m_value);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(m_caption);
    column->addLayout(row);

    setFocusProxy(m_slider);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    connect(m_slider, &QSlider::valueChanged, this, [this](int v) {
        updateValueLabel();
        emit valueChanged(v);
    });
    updateSteps();
    updateValueLabel();
}

OrvSlider::OrvSlider(const QString &caption, int minimum, int maximum, QWidget *parent)
    : OrvSlider(parent)
{
    setCaption(caption);
    setRange(minimum, maximum);
}

int OrvSlider::minimum() const { return m_slider->minimum(); }
int OrvSlider::maximum() const { return m_slider->maximum(); }
int OrvSlider::value() const { return m_slider->value(); }
QString OrvSlider::caption() const { return m_caption->text(); }

void OrvSlider::setMinimum(int minimum)
{
    setRange(minimum, std::max(minimum, maximum()));
}

void OrvSlider::setMaximum(int maximum)
{
    setRange(std::min(minimum(), maximum), maximum);
}

void OrvSlider::setRange(int minimum, int maximum)
{
    // QSlider pulls the value inside the new range and reports the change through valueChanged.
    m_slider->setRange(minimum, std::max(minimum, maximum));
    updateSteps();
    updateValueLabel();
    updateGeometry();
}

void OrvSlider::setValue(int value)
{
    m_slider->setValue(value);
}

void OrvSlider::setCaption(const QString &caption)
{
    m_caption->setText(caption);
    m_caption->setVisible(!caption.isEmpty());
    m_slider->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
}

void OrvSlider::setSuffix(const QString &suffix)
{
    m_suffix = suffix;
    updateValueLabel();
    updateGeometry();
}

QString OrvSlider::valueText() const
{
    return QString::number(value()) + m_suffix;
}

void OrvSlider::updateValueLabel()
{
    m_value->setText(valueText());
    // Wide enough for the widest value of the range, so the slider does not jump while it moves.
    const QFontMetrics fm(m_value->font());
    const int widest = std::max(fm.horizontalAdvance(QString::number(minimum()) + m_suffix),
                                fm.horizontalAdvance(QString::number(maximum()) + m_suffix));
    m_value->setMinimumWidth(widest + 2);
    m_slider->setAccessibleDescription(valueText());
}

void OrvSlider::updateSteps()
{
    const int span = maximum() - minimum();
    m_slider->setSingleStep(1);
    m_slider->setPageStep(std::max(1, span / 10));
}

QSize OrvSlider::sizeHint() const
{
    QSize hint = QWidget::sizeHint();
    hint.setWidth(std::max(hint.width(), fontMetrics().averageCharWidth() * 24));
    return hint;
}

QSize OrvSlider::minimumSizeHint() const
{
    QSize hint = QWidget::minimumSizeHint();
    hint.setWidth(std::max(hint.width(), fontMetrics().averageCharWidth() * 12));
    return hint;
}

} // namespace orv
