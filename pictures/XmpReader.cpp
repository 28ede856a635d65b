#include "pictures/XmpReader.h"

#include <string>

#include "pictures/XmpParse.h"

namespace {

// Expanded names: the namespace, a separator, the local name.
const char* const DcTitle = "http://purl.org/dc/elements/1.1/|title";
const char* const RdfLi = "http://www.w3.org/1999/02/22-rdf-syntax-ns#|li";
const char* const XmlLang = "http://www.w3.org/XML/1998/namespace|lang";
const char* const ExifTaken = "http://ns.adobe.com/exif/1.0/|DateTimeOriginal";
const char* const PhotoshopCreated = "http://ns.adobe.com/photoshop/1.0/|DateCreated";
const char* const HasExtension = "http://ns.adobe.com/xmp/note/|HasExtendedXMP";

// The longest date kept while it is read; a real one is 25 characters at most.
const size_t MaxDateBytes = 64;

struct Reading {
    int Depth = 0;
    int TitleDepth = 0;  // depth of the open dc:title, 0 when none is open
    bool InItem = false; // inside an rdf:li of the title
    bool ItemDefault = false;
    std::string Item;
    bool HaveDefault = false;
    std::string Title; // the default language's, else the first item's
    bool HaveTitle = false;
    std::string* Text = nullptr; // where character data goes now
    size_t TextBound = 0;
    std::string Taken;
    std::string Created;
    std::string Extension;
};

Reading& Of(void* argument) {
    return *static_cast<Reading*>(XmpData(argument));
}

bool Is(const XML_Char* name, const char* expanded) {
    return std::string(name) == expanded;
}

void Capture(Reading& r, std::string* text, size_t bound) {
    text->clear();
    r.Text = text;
    r.TextBound = bound;
}

void Start(void* data, const XML_Char* name, const XML_Char** attributes) {
    Reading& r = Of(data);
    ++r.Depth;
    for (const XML_Char** a = attributes; a[0] != nullptr; a += 2) {
        if (Is(a[0], ExifTaken))
            r.Taken = ClipUtf8(a[1], MaxDateBytes);
        else if (Is(a[0], PhotoshopCreated))
            r.Created = ClipUtf8(a[1], MaxDateBytes);
        else if (Is(a[0], HasExtension))
            r.Extension = ClipUtf8(a[1], MaxDateBytes);
    }
    if (Is(name, DcTitle) && r.TitleDepth == 0) {
        r.TitleDepth = r.Depth;
    } else if (r.TitleDepth != 0 && Is(name, RdfLi)) {
        r.InItem = true;
        r.ItemDefault = false;
        for (const XML_Char** a = attributes; a[0] != nullptr; a += 2)
            r.ItemDefault = r.ItemDefault || (Is(a[0], XmlLang) && std::string(a[1]) == "x-default");
        Capture(r, &r.Item, MaxTitleBytes * 4);
    } else if (Is(name, ExifTaken)) {
        Capture(r, &r.Taken, MaxDateBytes);
    } else if (Is(name, PhotoshopCreated)) {
        Capture(r, &r.Created, MaxDateBytes);
    } else if (Is(name, HasExtension)) {
        Capture(r, &r.Extension, MaxDateBytes);
    }
}

void End(void* data, const XML_Char*) {
    Reading& r = Of(data);
    if (r.InItem && r.Text == &r.Item) {
        if ((r.ItemDefault && !r.HaveDefault) || !r.HaveTitle) {
            r.Title = r.Item;
            r.HaveDefault = r.HaveDefault || r.ItemDefault;
            r.HaveTitle = true;
        }
        r.InItem = false;
    }
    if (r.Depth == r.TitleDepth)
        r.TitleDepth = 0;
    r.Text = nullptr;
    --r.Depth;
}

// Bounded as it comes, cut at a character's boundary (expat hands over valid UTF-8 only).
void Characters(void* data, const XML_Char* text, int length) {
    Reading& r = Of(data);
    if (r.Text == nullptr || r.Text->size() >= r.TextBound)
        return;
    r.Text->append(text, size_t(length));
    *r.Text = ClipUtf8(*r.Text, r.TextBound);
}

} // namespace

void ReadXmp(const uint8_t* packet, size_t size, CarriedFacts* facts) {
    Reading reading;
    if (ParseXmp(packet, size, &reading, Start, End, Characters) != XmpParse::Whole)
        return;
    facts->XmpTitle = reading.Title;
    facts->XmpTaken = reading.Taken;
    facts->XmpCreated = reading.Created;
    facts->XmpExtension = reading.Extension;
}
