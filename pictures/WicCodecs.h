// Windows' own codecs as installed: which decoders there are and which of them the game lets read a
// file. Windows only. Listing them touches no file, so the game does it itself; reading a file's
// bytes with them happens in the codec host (pictures/CodecHost.h).
#pragma once

#include <windows.h>
#include <wincodec.h>

#include <vector>

#include "pictures/ComScope.h"
#include "pictures/SystemCodecs.h"

bool CreateWicFactory(Owned<IWICImagingFactory>* factory);

// A decoder as the system describes it.
SystemCodec DescribeWicDecoder(IWICBitmapDecoderInfo* info);

// Calls use(info) for each installed decoder until it answers true; false when none did.
template <typename Use> bool ForEachWicDecoder(IWICImagingFactory* factory, Use use) {
    Owned<IEnumUnknown> decoders;
    if (FAILED(factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault, decoders.Out())))
        return false;
    for (;;) {
        Owned<IUnknown> component;
        ULONG count = 0;
        if (decoders->Next(1, component.Out(), &count) != S_OK || count != 1)
            return false;
        Owned<IWICBitmapDecoderInfo> info;
        if (SUCCEEDED(component->QueryInterface(__uuidof(IWICBitmapDecoderInfo), info.OutVoid())) &&
            use(info.Get()))
            return true;
    }
}

// Every installed decoder as the system describes it; empty when WIC cannot be asked.
std::vector<SystemCodec> InstalledSystemCodecs();
