// Shared between the module's windows and its routines.
#pragma once

#include <QString>
#include <QWidget>

class QCloseEvent;

namespace quorvel::language {
enum class Message;
}  // namespace quorvel::language

namespace quorvel::language::detail {

void SetPendingLanguageCode(const QString& code);
void ShowMessage(Message message);

// A window its close box discards. It is deleted once control is back in
// the event loop, but forgotten at once, so that a use right after the close
// builds a fresh one instead of reviving it.
class DiscardableWindow : public QWidget {
public:
    explicit DiscardableWindow(QWidget* parent);
    bool IsDiscarded() const { return discarded_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool discarded_ = false;
};

}  // namespace quorvel::language::detail
