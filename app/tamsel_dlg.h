#pragma once
// CTamselDlg: the main dialog (template 102). Its start-up order, its message map and
// the handlers shared by all panels live in tamsel_dlg.cpp; Device.ini, the title, the
// missing camera and the cut in device_config.cpp; the version and About item in
// version_display.cpp; each panel's set-up and Set button in panels/.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "app/data_exchange.h"
#include "app/dialog_controls.h"
#include "app/tamsel_app.h"
#include "device/device_settings.h"
#include "ui/dialog_host.h"

namespace tamsel {

class CTamselDlg : public ui::DialogBehaviour {
  public:
    explicit CTamselDlg(const TamselServices& services);

    int TemplateId() const override;
    void Attach(ui::DialogHost* host) override;
    bool OnInitDialog() override;
    void Dispatch(const ui::DialogEvent& event) override;
    void OnOK() override;
    void OnCancel() override;

    // saveAndValidate false: members to controls; true: controls to members.
    bool UpdateData(bool saveAndValidate);
    void DoDataExchange(DataExchange& exchange);

    // One trackbar with its edit's text and its settings field, in data-exchange order
    // (which is also the order scroll notifications are matched in).
    struct SliderBinding {
        int sliderId;
        int editId;
        TrackbarControl CTamselDlg::*slider;
        std::wstring CTamselDlg::*text;
        std::int32_t DeviceSettings::*field;
    };
    static const std::array<SliderBinding, 7> kSliders;
    static std::span<const SliderBinding> ColorSliders();   // brightness .. saturation
    static std::span<const SliderBinding> VolumeSliders();  // Aux, Earphone, MIC

    // Members, in the order of the class they stand for.
    int m_hIcon;  // icon resource; the host owns the loaded image
    DialogItem m_pQualityHigh, m_pQualityStandard, m_pQualityLow;
    DialogItem m_pSetTime, m_pSetQuality, m_pSetColor, m_pSetVolume;
    TrackbarControl m_sliderBrightness;
    std::wstring m_strBrightness;
    TrackbarControl m_sliderContrast;
    std::wstring m_strContrast;
    TrackbarControl m_sliderHue;
    std::wstring m_strHue;
    TrackbarControl m_sliderSaturation;
    std::wstring m_strSaturation;
    TrackbarControl m_sliderAux;
    std::wstring m_strAux;
    TrackbarControl m_sliderEarphone;
    std::wstring m_strEarphone;
    TrackbarControl m_sliderMic;
    std::wstring m_strMic;
    PointFont m_clockFont;
    // False while the latest clock refresh could not read the local time.
    bool m_clockReadable = true;

  private:
    using Handler = void (CTamselDlg::*)(const ui::DialogEvent&);
    struct MessageMapEntry {
        ui::DialogMessage message;
        int controlId;  // for Command: the button; otherwise unused
        Handler handler;
    };
    static const MessageMapEntry kMessageMap[];

    // Message handlers.
    void OnSysCommand(const ui::DialogEvent& event);
    void OnPaint(const ui::DialogEvent& event);
    void OnQueryDragIcon(const ui::DialogEvent& event);
    void OnTimer(const ui::DialogEvent& event);
    void OnClose(const ui::DialogEvent& event);
    void OnHScroll(const ui::DialogEvent& event);
    void OnSetTimeClicked(const ui::DialogEvent& event);
    void OnSetQualityClicked(const ui::DialogEvent& event);
    void OnSetColorClicked(const ui::DialogEvent& event);
    void OnSetVolumeClicked(const ui::DialogEvent& event);

    // Start-up steps (device_config.cpp, version_display.cpp).
    void AddAboutItemToSystemMenu();
    void ReadDeviceNameAndSetTitle();
    void HandleMissingCamera();
    void ShowVersion();
    void ApplyFunctionLevel();

    // Panels (panels/*.cpp).
    void StartClock();
    void RefreshClock();
    void OnSetTime();
    void ShowQuality();
    void OnSetQuality();
    void SetUpColorPanel();
    void OnSetColor();
    void SetUpVolumePanel();
    void OnSetVolume();

    TamselServices services_;
    ui::DialogHost* host_ = nullptr;

    // Device.ini, read once during start-up.
    std::wstring configPath_;
    bool configPathValid_ = false;
    std::wstring deviceName_;
    std::wstring title_;
};

}  // namespace tamsel
