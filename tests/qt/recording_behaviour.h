#pragma once
// A dialog behaviour that records what the host delivers, for tests of the host alone.
// It handles messages as an MFC dialog with an empty message map would: Close and
// system commands get the default handling, OK and Cancel end the dialog.

#include <functional>
#include <vector>

#include "ui/control_ids.h"
#include "ui/dialog_host.h"

namespace tamsel::qt::test {

struct RecordedEvent {
    ui::DialogEvent event;
    int trackbarPosAtDispatch = 0;  // HScroll: what GetTrackbarPos said during the dispatch
};

class RecordingBehaviour : public ui::DialogBehaviour {
  public:
    explicit RecordingBehaviour(int templateId = ui::IDD_TAMSEL_DIALOG) : templateId_(templateId) {}

    int TemplateId() const override { return templateId_; }
    void Attach(ui::DialogHost* host) override { host_ = host; }
    bool OnInitDialog() override {
        if (onInit) onInit(*host_);
        return focusFirstTabStop;
    }
    void Dispatch(const ui::DialogEvent& event) override {
        RecordedEvent record{event, 0};
        if (event.message == ui::DialogMessage::HScroll) {
            record.trackbarPosAtDispatch = host_->GetTrackbarPos(event.controlId);
        }
        if (event.message != ui::DialogMessage::Paint) events.push_back(record);
        if (onDispatch) onDispatch(*host_, event);
        if (event.message == ui::DialogMessage::Close ||
            event.message == ui::DialogMessage::SysCommand) {
            host_->RunDefaultHandler();
        }
    }
    void OnOK() override {
        ++okCount;
        host_->EndDialog(ui::IDOK);
    }
    void OnCancel() override {
        ++cancelCount;
        host_->EndDialog(ui::IDCANCEL);
    }

    ui::DialogHost& host() { return *host_; }

    // Events other than Paint, in order.
    std::vector<RecordedEvent> events;
    int okCount = 0;
    int cancelCount = 0;
    bool focusFirstTabStop = true;
    std::function<void(ui::DialogHost&)> onInit;
    std::function<void(ui::DialogHost&, const ui::DialogEvent&)> onDispatch;

  private:
    int templateId_;
    ui::DialogHost* host_ = nullptr;
};

// A behaviour that does nothing at all, for driving a host (Qt or headless) from outside.
class IdleBehaviour : public ui::DialogBehaviour {
  public:
    int TemplateId() const override { return ui::IDD_TAMSEL_DIALOG; }
    void Attach(ui::DialogHost*) override {}
    bool OnInitDialog() override { return true; }
    void Dispatch(const ui::DialogEvent&) override {}
    void OnOK() override {}
    void OnCancel() override {}
};

}  // namespace tamsel::qt::test
