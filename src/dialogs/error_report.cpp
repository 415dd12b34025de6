#include "dialogs/error_report.h"

#include "common/product.h"
#include "dialogs/never_ask_list.h"
#include "resources/kv_lang.h"

namespace kv {

namespace {
constexpr std::uint32_t kCloseTimerMs = 1000;
}

ErrorReport::ErrorReport(IErrorReportWindow& window, const TKvLang& lang, IMessageLoop& loop, NeverAskList& neverAsk,
                         IBugReporter& bugReporter, IApplicationEnd& applicationEnd)
    : window_(window),
      lang_(lang),
      loop_(loop),
      neverAsk_(neverAsk),
      bugReporter_(bugReporter),
      applicationEnd_(applicationEnd) {
    ApplyLanguage();
}

ErrorReport::~ErrorReport() { StopCloseTimer(); }

void ErrorReport::ApplyLanguage() {
    closeCaption_ = lang_.GetText(105, u"Close");
    messageTemplate_ = lang_.GetText(301, u"%1 has encountered an error:\r\n%2") + u"\r\n\r\n" +
                       lang_.GetText(305, u"You can help us fix it by sending an error report by e-mail.");
    window_.SetSendButtonText(lang_.GetText(302, kNoText));
    window_.SetNeverAskText(lang_.GetText(303, kNoText));
    window_.SetTerminateButtonText(lang_.GetText(323, kNoText));
    window_.SetCloseButtonText(closeCaption_);
}

void ErrorReport::ShowErrorReport(std::u16string_view message) {
    if (window_.IsVisible()) return;
    reportedMessage_ = message;
    countdown_.Restart();
    try {
        ShowFor(message);
    } catch (...) {
        // Reporting an error must never raise another one.
        StopCloseTimer();
    }
}

void ErrorReport::ShowFor(std::u16string_view message) {
    if (neverAsk_.Contains(message)) return;
    window_.SetCaption(lang_.GetText(9, u"Error"));
    window_.SetMessageText(
        TKvLang::FormatText(messageTemplate_, {std::u16string(kProductName), std::u16string(message)}));
    window_.SetCloseButtonText(closeCaption_);
    window_.Repaint();

    closeTimer_ = loop_.StartTimer(kCloseTimerMs, [this] { OnCloseTimer(); });
    window_.ShowModal();
    StopCloseTimer();

    if (window_.NeverAskChecked()) neverAsk_.Add(message);
}

void ErrorReport::OnCloseTimer() {
    const CloseCountdown::Step step = countdown_.Tick(closeCaption_);
    window_.SetCloseButtonText(step.buttonCaption);
    if (step.closeNow) {
        StopCloseTimer();
        window_.CloseModal();
    }
}

void ErrorReport::StopCloseTimer() {
    if (closeTimer_) loop_.StopTimer(*closeTimer_);
    closeTimer_.reset();
}

void ErrorReport::SendReport() { bugReporter_.ReportBug(reportedMessage_); }

void ErrorReport::TerminateApplication() {
    applicationEnd_.TerminateApplication();
    // The modal loop would otherwise hold the way out open until the countdown ends.
    if (window_.IsVisible()) window_.CloseModal();
}

}  // namespace kv
