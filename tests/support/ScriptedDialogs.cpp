#include "support/ScriptedDialogs.h"

namespace quorix::test {

namespace {

QString kindName(DialogCall::Kind kind)
{
    switch (kind) {
    case DialogCall::Message: return QStringLiteral("message box");
    case DialogCall::Warning: return QStringLiteral("warning");
    case DialogCall::Modal: return QStringLiteral("modal dialog");
    case DialogCall::Input: return QStringLiteral("input box");
    case DialogCall::Browse: return QStringLiteral("folder browser");
    case DialogCall::OpenFile: return QStringLiteral("file-open dialog");
    case DialogCall::Choice: return QStringLiteral("choice");
    }
    return {};
}

class ScriptedProgress final : public ProgressWindow
{
public:
    explicit ScriptedProgress(const std::atomic<bool>& cancel) : m_cancel(cancel) {}
    void setText(const QString&) override {}
    void setProgress(qint64, qint64) override {}
    bool cancelRequested() const override { return m_cancel; }

private:
    const std::atomic<bool>& m_cancel;
};

} // namespace

ScriptedDialogs::ScriptedDialogs()
{
    DialogService::install(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    DialogService::install(nullptr);
}

ScriptedDialogs& ScriptedDialogs::expectMessage(int result)
{
    m_script.push_back({DialogCall::Message, result, {}, true, {}, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectWarning(int result)
{
    m_script.push_back({DialogCall::Warning, result, {}, true, {}, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectModal(const QString& className, ModalHandler handler)
{
    m_script.push_back({DialogCall::Modal, 0, {}, true, className, std::move(handler)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectInput(const QString& text, bool accepted)
{
    m_script.push_back({DialogCall::Input, 0, text, accepted, {}, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectBrowse(const QString& logicalPath)
{
    m_script.push_back({DialogCall::Browse, 0, logicalPath, true, {}, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectOpenFile(const QString& logicalPath)
{
    m_script.push_back({DialogCall::OpenFile, 0, logicalPath, true, {}, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectChoice(int buttonIndex)
{
    m_script.push_back({DialogCall::Choice, buttonIndex, {}, true, {}, {}});
    return *this;
}

QString ScriptedDialogs::problems() const
{
    QStringList all = m_failures;
    for (const Step& s : m_script)
        all << QStringLiteral("expected a %1 that never came").arg(kindName(s.kind));
    return all.join(QLatin1Char('\n'));
}

bool ScriptedDialogs::take(const DialogCall& call, Step* step)
{
    m_calls.append(call);
    const QString seen = QStringLiteral("%1 \"%2\" / \"%3\"")
                             .arg(kindName(call.kind), call.text, call.caption);
    if (m_script.empty()) {
        m_failures << QStringLiteral("unexpected %1").arg(seen);
        return false;
    }
    Step next = m_script.front();
    if (next.kind != call.kind) {
        m_failures << QStringLiteral("expected a %1, got %2").arg(kindName(next.kind), seen);
        return false;
    }
    if (call.kind == DialogCall::Modal && next.className != call.caption) {
        m_failures << QStringLiteral("expected dialog %1, got %2").arg(next.className, seen);
        return false;
    }
    m_script.pop_front();
    *step = std::move(next);
    return true;
}

int ScriptedDialogs::messageBox(const QString& text, const QString& caption, int flags)
{
    Step s;
    if (!take({DialogCall::Message, text, caption, flags, {}, {}, {}}, &s)) {
        const int buttons = flags & 0x0F;
        return buttons == MB_YESNO ? IDNO : buttons == MB_OKCANCEL ? IDCANCEL : IDOK;
    }
    return s.result;
}

int ScriptedDialogs::warning(const QString& text, QPoint topLeft, WarningButtons buttons)
{
    Step s;
    if (!take({DialogCall::Warning, text, QStringLiteral("警告"), int(buttons), topLeft, {}, {}},
              &s))
        return buttons == WarningButtons::YesOnly ? IDYES : IDNO;
    return s.result;
}

int ScriptedDialogs::execModal(QObject* dialog, const QString& name)
{
    Step s;
    if (!take({DialogCall::Modal, {}, name, 0, {}, {}, {}}, &s))
        return IDCANCEL;
    return s.handler ? s.handler(dialog) : IDCANCEL;
}

QString ScriptedDialogs::inputBox(const QString& caption, const QString& prompt,
                                  const QString& defaultText, bool* accepted)
{
    Step s;
    const bool ok = take({DialogCall::Input, prompt, caption, 0, {}, {}, defaultText}, &s);
    const bool acc = ok && s.accepted;
    if (accepted)
        *accepted = acc;
    return acc ? s.text : QString();
}

QString ScriptedDialogs::browseForFolder(const QString& title, const QString& startLogical)
{
    Step s;
    if (!take({DialogCall::Browse, title, {}, 0, {}, {}, startLogical}, &s))
        return {};
    return s.text;
}

QString ScriptedDialogs::openFileName(const QString& title, const QString& startLogical,
                                      const QStringList& filters)
{
    Step s;
    if (!take({DialogCall::OpenFile, title, {}, 0, {}, filters, startLogical}, &s))
        return {};
    return s.text;
}

int ScriptedDialogs::choose(const QString& text, const QString& caption,
                            const QStringList& buttons, int iconFlags)
{
    Step s;
    if (!take({DialogCall::Choice, text, caption, iconFlags, {}, buttons, {}}, &s))
        return -1;
    return s.result;
}

std::unique_ptr<ProgressWindow> ScriptedDialogs::openProgress(const QString& caption)
{
    m_progressCaptions << caption;
    return std::make_unique<ScriptedProgress>(m_cancelProgress);
}

} // namespace quorix::test
