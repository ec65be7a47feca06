#include "platform/win32/virtual_camera_server/camera_filter.h"

#include <oleauto.h>
#include <vfwmsgs.h>
#include <wrl/client.h>

#include <cwchar>
#include <new>
#include <sstream>
#include <vector>

#include "platform/win32/device/guid_conversion.h"
#include "platform/win32/device/variant_holder.h"
#include "platform/win32/virtual_camera_server/camera_node.h"
#include "platform/win32/virtual_camera_server/empty_pin_enumerator.h"
#include "platform/win32/virtual_camera_server/server_module.h"
#include "platform/win32/virtual_camera_server/virtual_camera_registration.h"

namespace tamsel::win32 {
namespace {

// The categories a USB video capture filter reports: capture and video.
constexpr GUID kKsCategoryCapture = {
    0x65E8773D, 0x8F56, 0x11D0, {0xA3, 0xB9, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};
constexpr GUID kKsCategoryVideo = {
    0x6994AD05, 0x93EF, 0x11D0, {0xA3, 0xCC, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};
constexpr GUID kCategories[] = {kKsCategoryCapture, kKsCategoryVideo};

bool ReadBagString(IPropertyBag* bag, const wchar_t* name, std::wstring* value) {
    VariantHolder variant;
    if (FAILED(bag->Read(name, variant.get(), nullptr)) || (*variant).vt != VT_BSTR) return false;
    const BSTR text = (*variant).bstrVal;
    value->assign(text != nullptr ? text : L"", text != nullptr ? SysStringLen(text) : 0);
    return true;
}

bool ReadBagNumber(IPropertyBag* bag, const wchar_t* name, std::uint32_t* value) {
    VariantHolder variant;
    if (FAILED(bag->Read(name, variant.get(), nullptr))) return false;
    if (FAILED(VariantChangeType(variant.get(), variant.get(), 0, VT_UI4))) return false;
    *value = (*variant).ulVal;
    return true;
}

// "3" or "1,4" or "" (no device-specific node).
std::vector<std::uint32_t> ParseNodeList(const std::wstring& text) {
    std::vector<std::uint32_t> nodes;
    std::wstringstream stream(text);
    std::wstring item;
    while (std::getline(stream, item, L',')) {
        if (item.find_first_not_of(L" \t") == std::wstring::npos) continue;
        nodes.push_back(static_cast<std::uint32_t>(std::wcstoul(item.c_str(), nullptr, 10)));
    }
    return nodes;
}

}  // namespace

CameraFilter::CameraFilter() : friendlyName_(kDefaultVirtualCameraName) {
    ServerObjectCreated();
}

CameraFilter::~CameraFilter() {
    if (session_) session_->ObjectDestroyed();
    ServerObjectDestroyed();
}

CameraSession& CameraFilter::Session() {
    if (!session_) {
        session_ = CameraSession::ForDirectory(CameraSession::DefaultDirectory());
        session_->ObjectCreated();
    }
    return *session_;
}

HRESULT STDMETHODCALLTYPE CameraFilter::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPersist) ||
        IsEqualIID(iid, IID_IMediaFilter) || IsEqualIID(iid, IID_IBaseFilter)) {
        *object = static_cast<IBaseFilter*>(this);
    } else if (IsEqualIID(iid, kIidIKsTopologyInfo)) {
        // Asking for the topology is a call the driver sees; an unplugged camera says so
        // here already, a camera without a topology says E_NOINTERFACE.
        const HResult topology = Session().QueryTopology();
        if (FAILED(topology)) return topology;
        *object = static_cast<IKsTopologyInfo*>(this);
    } else if (IsEqualIID(iid, IID_IPersistPropertyBag)) {
        *object = static_cast<IPersistPropertyBag*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE CameraFilter::AddRef() {
    return ++references_;
}

ULONG STDMETHODCALLTYPE CameraFilter::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE CameraFilter::GetClassID(CLSID* classId) {
    if (classId == nullptr) return E_POINTER;
    *classId = kVirtualCameraClsid;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::Stop() {
    state_ = State_Stopped;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::Pause() {
    state_ = State_Paused;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::Run(REFERENCE_TIME) {
    state_ = State_Running;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::GetState(DWORD, FILTER_STATE* state) {
    if (state == nullptr) return E_POINTER;
    *state = state_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::SetSyncSource(IReferenceClock* clock) {
    clock_ = clock;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::GetSyncSource(IReferenceClock** clock) {
    if (clock == nullptr) return E_POINTER;
    *clock = clock_.Get();
    if (*clock != nullptr) (*clock)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::EnumPins(IEnumPins** pins) {
    if (pins == nullptr) return E_POINTER;
    Session();
    *pins = new (std::nothrow) EmptyPinEnumerator(session_);
    return *pins != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE CameraFilter::FindPin(LPCWSTR, IPin** pin) {
    if (pin == nullptr) return E_POINTER;
    *pin = nullptr;
    return VFW_E_NOT_FOUND;
}

HRESULT STDMETHODCALLTYPE CameraFilter::QueryFilterInfo(FILTER_INFO* info) {
    if (info == nullptr) return E_POINTER;
    const std::wstring& name = nameInGraph_.empty() ? friendlyName_ : nameInGraph_;
    wcsncpy(info->achName, name.c_str(), MAX_FILTER_NAME - 1);
    info->achName[MAX_FILTER_NAME - 1] = L'\0';
    info->pGraph = graph_;
    if (graph_ != nullptr) graph_->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    graph_ = graph;
    nameInGraph_ = name != nullptr ? name : L"";
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::QueryVendorInfo(LPWSTR* vendorInfo) {
    if (vendorInfo == nullptr) return E_POINTER;
    *vendorInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CameraFilter::get_NumCategories(DWORD* numCategories) {
    if (numCategories == nullptr) return E_POINTER;
    *numCategories = static_cast<DWORD>(std::size(kCategories));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::get_Category(DWORD index, GUID* category) {
    if (category == nullptr) return E_POINTER;
    if (index >= std::size(kCategories)) return E_INVALIDARG;
    *category = kCategories[index];
    return S_OK;
}

// The model has no connections between its nodes; nothing the program does needs them.
HRESULT STDMETHODCALLTYPE CameraFilter::get_NumConnections(DWORD* numConnections) {
    if (numConnections == nullptr) return E_POINTER;
    *numConnections = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::get_ConnectionInfo(DWORD, KSTOPOLOGY_CONNECTION* info) {
    if (info == nullptr) return E_POINTER;
    return E_INVALIDARG;
}

HRESULT STDMETHODCALLTYPE CameraFilter::get_NodeName(DWORD nodeId, WCHAR* nodeName,
                                                     DWORD bufferSize, DWORD* nameLength) {
    if (nameLength == nullptr) return E_POINTER;
    const std::wstring name = L"Node " + std::to_wstring(nodeId);
    const DWORD needed = static_cast<DWORD>((name.size() + 1) * sizeof(WCHAR));
    *nameLength = needed;
    if (nodeName == nullptr || bufferSize == 0) return HRESULT_FROM_WIN32(ERROR_MORE_DATA);
    if (bufferSize < needed) return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    wcscpy(nodeName, name.c_str());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::get_NumNodes(DWORD* numNodes) {
    if (numNodes == nullptr) return E_POINTER;
    std::uint32_t count = *numNodes;
    const HResult hr = Session().GetNumNodes(&count);
    *numNodes = count;
    return hr;
}

HRESULT STDMETHODCALLTYPE CameraFilter::get_NodeType(DWORD nodeId, GUID* nodeType) {
    if (nodeType == nullptr) return E_POINTER;
    Guid type = FromWindowsGuid(*nodeType);
    const HResult hr = Session().GetNodeType(nodeId, &type);
    *nodeType = ToWindowsGuid(type);
    return hr;
}

HRESULT STDMETHODCALLTYPE CameraFilter::CreateNodeInstance(DWORD nodeId, REFIID iid,
                                                           void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    const HResult created = Session().CreateNodeControl(nodeId);
    if (FAILED(created)) return created;
    Microsoft::WRL::ComPtr<CameraNode> node;  // holds the node's first reference
    // Stored through the address, not Attach: mingw-w64's ComPtr::Attach adds a reference,
    // which would keep the new object alive for ever.
    *node.GetAddressOf() = new (std::nothrow) CameraNode(session_, nodeId);
    if (!node) return E_OUTOFMEMORY;
    return node->QueryInterface(iid, object);
}

HRESULT STDMETHODCALLTYPE CameraFilter::InitNew() {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::Load(IPropertyBag* bag, IErrorLog*) {
    if (bag == nullptr) return E_POINTER;
    // A filter is one camera for its whole life.
    if (session_) return E_UNEXPECTED;

    std::wstring name;
    if (ReadBagString(bag, kFriendlyNameValue, &name)) friendlyName_ = name;

    std::wstring directory;
    if (!ReadBagString(bag, kStateDirectoryValue, &directory) || directory.empty()) {
        directory = CameraSession::DefaultDirectory().wstring();
    }
    session_ = CameraSession::ForDirectory(directory);
    session_->ObjectCreated();

    CameraShape shape;
    std::uint32_t nodeCount = 0;
    if (ReadBagNumber(bag, kNodeCountValue, &nodeCount)) shape.nodeCount = nodeCount;
    std::wstring nodes;
    if (ReadBagString(bag, kExtensionUnitNodesValue, &nodes))
        shape.extensionUnitNodes = ParseNodeList(nodes);
    session_->ApplyShape(shape);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CameraFilter::Save(IPropertyBag*, BOOL, BOOL) {
    return E_NOTIMPL;
}

}  // namespace tamsel::win32
