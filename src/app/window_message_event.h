#pragma once
// A link message travelling through Qt's event queue to the main window. The event
// type is the message number; the event owns its copy of the frame.

#include <utility>

#include <QEvent>

#include "link/link_messages.h"

class WindowMessageEvent : public QEvent {
public:
    explicit WindowMessageEvent(q9tx::WindowMessage message)
        : QEvent(static_cast<QEvent::Type>(message.message)), message_(std::move(message))
    {
    }

    const q9tx::WindowMessage& message() const { return message_; }

private:
    q9tx::WindowMessage message_;
};
