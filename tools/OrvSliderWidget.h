// OrvSlider: a captioned slider. A caption above, a horizontal slider and the current value
// (with an optional suffix such as "%") beside it.
//
// valueChanged(int) is the control's Change event: it fires whenever the value changes, whether
// the user moved the slider or the program called setValue() or narrowed the range. Handlers
// that must not react to the program's own changes guard themselves with a flag.
//
// The caption is the property "caption"; "text" is the same property under the name that the
// string-table loader sets on controls it does not know by type.
#pragma once

#include <QWidget>

class QLabel;
class QSlider;

namespace orv {

class OrvSlider : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged USER true)
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QString text READ caption WRITE setCaption STORED false)
    Q_PROPERTY(QString suffix READ suffix WRITE setSuffix)

public:
    explicit OrvSlider(QWidget *parent = nullptr);
    OrvSlider(const QString &caption, int minimum, int maximum, QWidget *parent = nullptr);

    int minimum() const;
    int maximum() const;
    int value() const;
    QString caption() const;
    QString suffix() const { return m_suffix; }

    // A minimum above the maximum moves the other end with it; a value outside the new range
    // is pulled inside (and valueChanged fires).
    void setMinimum(int minimum);
    void setMaximum(int maximum);
    void setRange(int minimum, int maximum);
    void setCaption(const QString &caption);
    void setSuffix(const QString &suffix);

    // The slider itself, for focus chains and tests.
    QSlider *slider() const { return m_slider; }
    // The text shown beside the slider: the value followed by the suffix.
    QString valueText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    // Values outside the range are pulled inside.
    void setValue(int value);

signals:
    void valueChanged(int value);

private:
    void updateValueLabel();
    void updateSteps();

    QLabel *m_caption = nullptr;
    QSlider *m_slider = nullptr;
    QLabel *m_value = nullptr;
    QString m_suffix;
};

} // namespace orv
