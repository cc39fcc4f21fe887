#pragma once
// ToneDropList: a drop-down list that reports when its drop-down closes, after the entry the
// user picked in it (if any) has become current. Changes made with the keyboard or the wheel
// while the drop-down is closed are not reported. toneListEntries gives every tone list its
// entries.

#include "core/image/tone_codec.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStringList>

#include <functional>
#include <utility>

class ToneDropList : public QComboBox
{
public:
    explicit ToneDropList(QWidget* parent = nullptr) : QComboBox(parent)
    {
        // A drop-down of maxVisibleItems rows with a scroll bar, in every style: some styles
        // would otherwise open the whole list of tones as a column the height of the screen.
        setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
        // A pick in the drop-down hides it first and makes the entry current afterwards, then
        // reports it as activated; the close is reported once more at that point.
        connect(this, &QComboBox::activated, this, [this] {
            if (m_closing && m_onCloseUp)
                m_onCloseUp();
            m_closing = false;
        });
    }

    // Called each time the drop-down closes, with the list's current entry settled.
    void setCloseUpHandler(std::function<void()> handler) { m_onCloseUp = std::move(handler); }

    void showPopup() override
    {
        m_closing = false;
        QComboBox::showPopup();
    }

    void hidePopup() override
    {
        const bool wasShown = view() && view()->isVisible();
        QComboBox::hidePopup();
        if (!wasShown)
            return;
        m_closing = true;
        if (m_onCloseUp)
            m_onCloseUp();
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        m_closing = false;
        QComboBox::keyPressEvent(event);
    }

#if QT_CONFIG(wheelevent)
    void wheelEvent(QWheelEvent* event) override
    {
        m_closing = false;
        QComboBox::wheelEvent(event);
    }
#endif

private:
    std::function<void()> m_onCloseUp;
    bool m_closing = false;
};

// The tone texts in table order, entry 0 "Off", as the core codes them.
inline QStringList toneListEntries()
{
    QStringList texts;
    for (const std::string& tone : orvo::toneTable())
        texts.append(QString::fromStdString(tone));
    return texts;
}
