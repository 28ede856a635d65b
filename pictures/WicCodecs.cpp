#include "pictures/WicCodecs.h"

#include <string>

namespace {

// WIC's text getters: asked for the length first, then for the text.
template <typename Info, typename Getter> std::wstring Text(Info* info, Getter get) {
    UINT length = 0;
    if (FAILED((info->*get)(0, nullptr, &length)) || length == 0)
        return std::wstring();
    std::wstring text(length, L'\0');
    if (FAILED((info->*get)(length, &text[0], &length)))
        return std::wstring();
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

} // namespace

bool CreateWicFactory(Owned<IWICImagingFactory>* factory) {
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      __uuidof(IWICImagingFactory), factory->OutVoid()));
}

SystemCodec DescribeWicDecoder(IWICBitmapDecoderInfo* info) {
    SystemCodec codec;
    codec.Author = Text(info, &IWICBitmapDecoderInfo::GetAuthor);
    codec.Extensions = Text(info, &IWICBitmapDecoderInfo::GetFileExtensions);
    GUID vendor = {};
    codec.MicrosoftVendor =
        SUCCEEDED(info->GetVendorGUID(&vendor)) &&
        (IsEqualGUID(vendor, GUID_VendorMicrosoft) || IsEqualGUID(vendor, GUID_VendorMicrosoftBuiltIn));
    return codec;
}

std::vector<SystemCodec> InstalledSystemCodecs() {
    const Apartment apartment(COINIT_MULTITHREADED);
    std::vector<SystemCodec> codecs;
    Owned<IWICImagingFactory> factory;
    if (CreateWicFactory(&factory)) {
        ForEachWicDecoder(factory.Get(), [&codecs](IWICBitmapDecoderInfo* info) {
            codecs.push_back(DescribeWicDecoder(info));
            return false;
        });
    }
    return codecs;
}
