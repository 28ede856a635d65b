#include "pictures/XmpReader.h"

#include <climits>
#include <memory>
#include <string>

#include <expat.h>

namespace {

// Expanded names: the namespace, a separator, the local name.
const char Separator = '|';
const char* const DcTitle = "http://purl.org/dc/elements/1.1/|title";
const char* const RdfLi = "http://www.w3.org/1999/02/22-rdf-syntax-ns#|li";
const char* const XmlLang = "http://www.w3.org/XML/1998/namespace|lang";
const char* const ExifTaken = "http://ns.adobe.com/exif/1.0/|DateTimeOriginal";
const char* const PhotoshopCreated = "http://ns.adobe.com/photoshop/1.0/|DateCreated";

// The longest date kept while it is read; a real one is 25 characters at most.
const size_t MaxDateBytes = 64;

struct ParserFree {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

struct Reading {
    XML_Parser Parser = nullptr;
    bool Refused = false;
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
};

Reading& Of(void* data) {
    return *static_cast<Reading*>(data);
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

// A DOCTYPE is where entities are declared: the whole packet is refused at its start.
void Refuse(Reading& r) {
    r.Refused = true;
    XML_StopParser(r.Parser, XML_FALSE);
}

void StartDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    Refuse(Of(data));
}

void EntityDeclared(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*,
                    const XML_Char*, const XML_Char*) {
    Refuse(Of(data));
}

int NoExternalEntity(XML_Parser, const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*) {
    return XML_STATUS_ERROR;
}

} // namespace

void ReadXmp(const uint8_t* packet, size_t size, CarriedFacts* facts) {
    if (packet == nullptr || size == 0 || size > MaxXmpBytes || size > size_t(INT_MAX))
        return;
    const std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreateNS(nullptr, Separator));
    if (!parser)
        return;
    Reading reading;
    reading.Parser = parser.get();
    XML_SetUserData(parser.get(), &reading);
    XML_SetElementHandler(parser.get(), Start, End);
    XML_SetCharacterDataHandler(parser.get(), Characters);
    XML_SetStartDoctypeDeclHandler(parser.get(), StartDoctype);
    XML_SetEntityDeclHandler(parser.get(), EntityDeclared);
    XML_SetExternalEntityRefHandler(parser.get(), NoExternalEntity);
    if (XML_Parse(parser.get(), reinterpret_cast<const char*>(packet), int(size), XML_TRUE) != XML_STATUS_OK ||
        reading.Refused)
        return;
    facts->XmpTitle = reading.Title;
    facts->XmpTaken = reading.Taken;
    facts->XmpCreated = reading.Created;
}
