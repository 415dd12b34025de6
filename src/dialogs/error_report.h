#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "dialogs/close_countdown.h"
#include "platform/clock_api.h"

namespace kv {

class NeverAskList;
class TKvLang;

// Builds and sends a bug report about an error text.
class IBugReporter {
public:
    virtual ~IBugReporter() = default;
    virtual void ReportBug(std::u16string_view errorText) = 0;
};

// Ends the application straight away, without switching the system off first.
class IApplicationEnd {
public:
    virtual ~IApplicationEnd() = default;
    virtual void TerminateApplication() = 0;
};

// Where an error that reached the message loop is shown.
class IErrorReportSink {
public:
    virtual ~IErrorReportSink() = default;
    virtual void ShowErrorReport(std::u16string_view message) = 0;
};

// The error report dialog's window: a Win32 dialog, or a fake in tests.
class IErrorReportWindow {
public:
    virtual ~IErrorReportWindow() = default;
    virtual bool IsVisible() const = 0;
    virtual void SetCaption(std::u16string_view text) = 0;
    virtual void SetMessageText(std::u16string_view text) = 0;
    virtual void SetCloseButtonText(std::u16string_view text) = 0;
    virtual void SetSendButtonText(std::u16string_view text) = 0;
    virtual void SetTerminateButtonText(std::u16string_view text) = 0;
    virtual void SetNeverAskText(std::u16string_view text) = 0;
    virtual bool NeverAskChecked() const = 0;
    virtual void Repaint() = 0;
    // Returns once the dialog is closed; messages and timers keep running meanwhile.
    virtual void ShowModal() = 0;
    // Closes the dialog as its OK button would.
    virtual void CloseModal() = 0;
};

// The decisions of the error report dialog. Closing only hides the dialog; it lives until the
// program ends, and the never-ask check box keeps its state from one showing to the next.
class ErrorReport : public IErrorReportSink {
public:
    // Every argument must outlive the report; `neverAsk` is expected loaded.
    ErrorReport(IErrorReportWindow& window, const TKvLang& lang, IMessageLoop& loop, NeverAskList& neverAsk,
                IBugReporter& bugReporter, IApplicationEnd& applicationEnd);
    ~ErrorReport() override;
    ErrorReport(const ErrorReport&) = delete;
    ErrorReport& operator=(const ErrorReport&) = delete;

    // Takes the texts of the current language.
    void ApplyLanguage();
    // Drops the message while the dialog is already up (an error during an error).
    void ShowErrorReport(std::u16string_view message) override;

    // The buttons.
    void SendReport();
    void TerminateApplication();

    const std::u16string& ReportedMessage() const { return reportedMessage_; }
    int Countdown() const { return countdown_.Remaining(); }

private:
    void ShowFor(std::u16string_view message);
    void OnCloseTimer();
    void StopCloseTimer();

    IErrorReportWindow& window_;
    const TKvLang& lang_;
    IMessageLoop& loop_;
    NeverAskList& neverAsk_;
    IBugReporter& bugReporter_;
    IApplicationEnd& applicationEnd_;
    std::u16string closeCaption_;
    std::u16string messageTemplate_;
    std::u16string reportedMessage_;
    CloseCountdown countdown_;
    std::optional<TimerId> closeTimer_;
};

}  // namespace kv
