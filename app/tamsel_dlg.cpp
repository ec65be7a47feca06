#include "app/tamsel_dlg.h"

#include "app/about_dlg.h"
#include "app/text_format.h"
#include "device/device_settings.h"
#include "device/discovery.h"
#include "device/xu_command.h"
#include "ui/control_ids.h"

namespace tamsel {

namespace {
// A system command compares with its low four bits cleared: the platform keeps its own
// flags there.
constexpr unsigned kSystemCommandMask = ~0xFu;
}  // namespace

const std::array<CTamselDlg::SliderBinding, 7> CTamselDlg::kSliders{{
    {ui::IDC_SLIDER_BRIGHTNESS, ui::IDC_EDIT_BRIGHTNESS, &CTamselDlg::m_sliderBrightness,
     &CTamselDlg::m_strBrightness, &DeviceSettings::brightness},
    {ui::IDC_SLIDER_CONTRAST, ui::IDC_EDIT_CONTRAST, &CTamselDlg::m_sliderContrast,
     &CTamselDlg::m_strContrast, &DeviceSettings::contrast},
    {ui::IDC_SLIDER_HUE, ui::IDC_EDIT_HUE, &CTamselDlg::m_sliderHue, &CTamselDlg::m_strHue,
     &DeviceSettings::hue},
    {ui::IDC_SLIDER_SATURATION, ui::IDC_EDIT_SATURATION, &CTamselDlg::m_sliderSaturation,
     &CTamselDlg::m_strSaturation, &DeviceSettings::saturation},
    {ui::IDC_SLIDER_AUX, ui::IDC_EDIT_AUX, &CTamselDlg::m_sliderAux, &CTamselDlg::m_strAux,
     &DeviceSettings::auxLevel},
    {ui::IDC_SLIDER_EARPHONE, ui::IDC_EDIT_EARPHONE, &CTamselDlg::m_sliderEarphone,
     &CTamselDlg::m_strEarphone, &DeviceSettings::earphoneLevel},
    {ui::IDC_SLIDER_MIC, ui::IDC_EDIT_MIC, &CTamselDlg::m_sliderMic, &CTamselDlg::m_strMic,
     &DeviceSettings::micLevel},
}};

std::span<const CTamselDlg::SliderBinding> CTamselDlg::ColorSliders() {
    return std::span(kSliders).first(4);
}

std::span<const CTamselDlg::SliderBinding> CTamselDlg::VolumeSliders() {
    return std::span(kSliders).subspan(4);
}

const CTamselDlg::MessageMapEntry CTamselDlg::kMessageMap[] = {
    {ui::DialogMessage::SysCommand, 0, &CTamselDlg::OnSysCommand},
    {ui::DialogMessage::Paint, 0, &CTamselDlg::OnPaint},
    {ui::DialogMessage::QueryDragIcon, 0, &CTamselDlg::OnQueryDragIcon},
    {ui::DialogMessage::Command, ui::IDC_SET_TIME, &CTamselDlg::OnSetTimeClicked},
    {ui::DialogMessage::Command, ui::IDC_SET_QUALITY, &CTamselDlg::OnSetQualityClicked},
    {ui::DialogMessage::Timer, 0, &CTamselDlg::OnTimer},
    {ui::DialogMessage::Close, 0, &CTamselDlg::OnClose},
    {ui::DialogMessage::HScroll, 0, &CTamselDlg::OnHScroll},
    {ui::DialogMessage::Command, ui::IDC_SET_COLOR, &CTamselDlg::OnSetColorClicked},
    {ui::DialogMessage::Command, ui::IDC_SET_VOLUME, &CTamselDlg::OnSetVolumeClicked},
};

CTamselDlg::CTamselDlg(const TamselServices& services)
    : m_hIcon(ui::IDR_MAINFRAME), services_(services) {}

int CTamselDlg::TemplateId() const {
    return ui::IDD_TAMSEL_DIALOG;
}

void CTamselDlg::Attach(ui::DialogHost* host) {
    host_ = host;
}

bool CTamselDlg::UpdateData(bool saveAndValidate) {
    DataExchange exchange(*host_, saveAndValidate);
    DoDataExchange(exchange);
    return true;
}

void CTamselDlg::DoDataExchange(DataExchange& exchange) {
    for (const SliderBinding& binding : kSliders) {
        exchange.Control(binding.sliderId, this->*binding.slider);
        exchange.Text(binding.editId, this->*binding.text);
    }
}

bool CTamselDlg::OnInitDialog() {
    DeviceSettings& settings = TheDeviceSettings();

    // The base class's initialisation: binds the trackbars and pushes the empty texts.
    UpdateData(false);
    AddAboutItemToSystemMenu();
    host_->SetIcon(true);
    host_->SetIcon(false);
    StartClock();

    m_pQualityHigh = DialogItem(host_, ui::IDC_QUALITY_HIGH);
    m_pQualityStandard = DialogItem(host_, ui::IDC_QUALITY_STANDARD);
    m_pQualityLow = DialogItem(host_, ui::IDC_QUALITY_LOW);

    // Centred at full size; the cut below keeps this top edge.
    host_->CenterWindow();

    ReadDeviceNameAndSetTitle();
    settings.lastResult =
        services_.devices != nullptr ? FindCaptureDevice(*services_.devices, deviceName_) : kFalse;
    if (settings.lastResult != kOk) HandleMissingCamera();

    ShowVersion();

    // The reads only make sense with a bound camera; each goes ahead whatever the one
    // before it returned.
    if (settings.lastResult == kOk) {
        settings.lastResult = XuGetCommand(XU_GET_VOLUME, nullptr, nullptr);
        settings.lastResult = XuGetCommand(XU_GET_COLOR, nullptr, nullptr);
        settings.lastResult = XuGetCommand(XU_GET_QUALITY, nullptr, nullptr);
    }

    ShowQuality();
    SetUpColorPanel();
    SetUpVolumePanel();
    UpdateData(false);
    ApplyFunctionLevel();
    return true;
}

void CTamselDlg::Dispatch(const ui::DialogEvent& event) {
    for (const MessageMapEntry& entry : kMessageMap) {
        if (entry.message != event.message) continue;
        if (entry.message == ui::DialogMessage::Command &&
            (entry.controlId != event.controlId || event.notifyCode != ui::kBnClicked)) {
            continue;
        }
        (this->*entry.handler)(event);
        return;
    }
    host_->RunDefaultHandler();
}

void CTamselDlg::OnOK() {
    UpdateData(true);
    host_->EndDialog(ui::IDOK);
}

void CTamselDlg::OnCancel() {
    host_->EndDialog(ui::IDCANCEL);
}

void CTamselDlg::OnSysCommand(const ui::DialogEvent& event) {
    if ((event.commandId & kSystemCommandMask) == ui::IDM_ABOUTBOX) {
        CAboutDlg about;
        host_->RunModalChild(about);
    } else {
        host_->RunDefaultHandler();
    }
}

void CTamselDlg::OnPaint(const ui::DialogEvent&) {
    if (host_->IsIconic()) {
        host_->PaintIconCentred();
    } else {
        host_->RunDefaultHandler();
    }
}

// The host answers the drag-icon query with m_hIcon itself; the entry keeps the message
// from reaching the default handling, which would answer with no icon.
void CTamselDlg::OnQueryDragIcon(const ui::DialogEvent&) {}

// Every tick refreshes the clock; the timer id isn't looked at (there is only one).
void CTamselDlg::OnTimer(const ui::DialogEvent&) {
    RefreshClock();
}

void CTamselDlg::OnClose(const ui::DialogEvent&) {
    host_->RunDefaultHandler();
}

void CTamselDlg::OnHScroll(const ui::DialogEvent& event) {
    for (const SliderBinding& binding : kSliders) {
        TrackbarControl& slider = this->*binding.slider;
        if (!slider.IsBound() || slider.ControlId() != event.controlId) continue;
        // The position the message carries isn't trusted: every notification re-reads it.
        const int position = slider.GetPos();
        this->*binding.text = FormatDecimal(position);
        TheDeviceSettings().*binding.field = position;
        UpdateData(false);
        return;
    }
    host_->RunDefaultHandler();
    UpdateData(false);
}

void CTamselDlg::OnSetTimeClicked(const ui::DialogEvent&) {
    OnSetTime();
}
void CTamselDlg::OnSetQualityClicked(const ui::DialogEvent&) {
    OnSetQuality();
}
void CTamselDlg::OnSetColorClicked(const ui::DialogEvent&) {
    OnSetColor();
}
void CTamselDlg::OnSetVolumeClicked(const ui::DialogEvent&) {
    OnSetVolume();
}

}  // namespace tamsel
