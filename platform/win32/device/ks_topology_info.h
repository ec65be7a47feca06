#pragma once
// IKsTopologyInfo, the kernel-streaming topology interface a capture filter exposes.
// mingw-w64's headers declare IKsControl (ksproxy.h) but not this interface, so it is
// declared here from its published IID and method order. Both the device adapters and
// the virtual camera's COM server use this one declaration.

#include <ks.h>
#include <unknwn.h>
#include <windows.h>

namespace tamsel::win32 {
// {720D4AC0-7533-11D0-A5D6-28DB04C10000}
inline constexpr IID kIidIKsTopologyInfo = {
    0x720D4AC0, 0x7533, 0x11D0, {0xA5, 0xD6, 0x28, 0xDB, 0x04, 0xC1, 0x00, 0x00}};
}  // namespace tamsel::win32

// The vtable order is the ABI: it must stay exactly as published.
struct IKsTopologyInfo : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_NumCategories(DWORD* numCategories) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Category(DWORD index, GUID* category) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_NumConnections(DWORD* numConnections) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ConnectionInfo(DWORD index,
                                                         KSTOPOLOGY_CONNECTION* connectionInfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_NodeName(DWORD nodeId, WCHAR* nodeName, DWORD bufferSize,
                                                   DWORD* nameLength) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_NumNodes(DWORD* numNodes) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_NodeType(DWORD nodeId, GUID* nodeType) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateNodeInstance(DWORD nodeId, REFIID iid,
                                                         void** object) = 0;
};
