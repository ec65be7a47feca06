#include "app/data_exchange.h"

namespace tamsel {

void DataExchange::Control(int id, TrackbarControl& control) {
    if (!control.IsBound()) control.Bind(&host_, id);
}

void DataExchange::Text(int id, std::wstring& text) {
    if (saveAndValidate_) {
        text = host_.GetItemText(id);
    } else {
        host_.SetItemText(id, text);
    }
}

}  // namespace tamsel
