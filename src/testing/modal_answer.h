#pragma once
// Answers modal dialogs in tests without a hook in the product: while the
// guard lives, every dialog of the given class that is shown gets the answer
// function run on it (it may read and set its controls) and is then ended
// with the answer's result from inside its own modal loop.
#include <QDialog>
#include <QObject>
#include <functional>
#include <optional>

namespace platform {

class ModalAnswer : public QObject {
public:
    // The result for a shown dialog, or nothing to leave it alone.
    using Answer = std::function<std::optional<int>(QDialog&)>;

    explicit ModalAnswer(Answer answer);
    ~ModalAnswer() override;
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Answer m_answer;
};

// The dialogs of class T (and derived ones) shown while the guard lives.
template <class T>
class ScopedModalAnswer : public ModalAnswer {
public:
    explicit ScopedModalAnswer(std::function<int(T&)> answer)
        : ModalAnswer([answer = std::move(answer)](QDialog& dialog) -> std::optional<int> {
              if (auto* typed = dynamic_cast<T*>(&dialog))
                  return answer(*typed);
              return std::nullopt;
          })
    {
    }
};

} // namespace platform
