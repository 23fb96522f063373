#include "testing/modal_answer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

namespace platform {

ModalAnswer::ModalAnswer(Answer answer) : m_answer(std::move(answer))
{
    QCoreApplication::instance()->installEventFilter(this);
}

ModalAnswer::~ModalAnswer()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool ModalAnswer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show)
        return false;
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (!dialog || !dialog->isModal())
        return false;
    // Show comes before the dialog's loop starts: the answer is queued so that
    // it ends that loop.
    QPointer<QDialog> guard(dialog);
    QMetaObject::invokeMethod(
        this,
        [this, guard] {
            if (!guard)
                return;
            if (const std::optional<int> result = m_answer(*guard))
                guard->done(*result);
        },
        Qt::QueuedConnection);
    return false;
}

} // namespace platform
