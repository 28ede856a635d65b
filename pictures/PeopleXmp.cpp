#include "pictures/PeopleXmp.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "pictures/PictureFacts.h"
#include "pictures/XmpParse.h"

namespace {

// What an element or attribute is to us, by its expanded name (namespace, '|', local name).
enum Field {
    None,
    // Lists whose items are regions.
    MwgList,
    MpRegions,
    IptcRegions,
    // A region's values.
    MwgName,
    MwgType,
    AreaX,
    AreaY,
    AreaW,
    AreaH,
    AreaUnit,
    MpName,
    MpRectangle,
    IptcName,
    IptcPerson,
    IptcX,
    IptcY,
    IptcW,
    IptcH,
    IptcShape,
    IptcUnit,
    // Keywords, each an item of a list.
    DigikamTags,
    LightroomTags,
    WindowsTags,
    FieldCount
};

const char* const Rdf = "http://www.w3.org/1999/02/22-rdf-syntax-ns#|";

const struct {
    const char* Name;
    Field Is;
} Names[] = {
    {"http://www.metadataworkinggroup.com/schemas/regions/|RegionList", MwgList},
    {"http://www.metadataworkinggroup.com/schemas/regions/|Name", MwgName},
    {"http://www.metadataworkinggroup.com/schemas/regions/|Type", MwgType},
    {"http://ns.adobe.com/xmp/sType/Area#|x", AreaX},
    {"http://ns.adobe.com/xmp/sType/Area#|y", AreaY},
    {"http://ns.adobe.com/xmp/sType/Area#|w", AreaW},
    {"http://ns.adobe.com/xmp/sType/Area#|h", AreaH},
    {"http://ns.adobe.com/xmp/sType/Area#|unit", AreaUnit},
    {"http://ns.microsoft.com/photo/1.2/t/RegionInfo#|Regions", MpRegions},
    {"http://ns.microsoft.com/photo/1.2/t/Region#|PersonDisplayName", MpName},
    {"http://ns.microsoft.com/photo/1.2/t/Region#|Rectangle", MpRectangle},
    {"http://iptc.org/std/Iptc4xmpExt/2008-02-29/|ImageRegion", IptcRegions},
    {"http://iptc.org/std/Iptc4xmpExt/2008-02-29/|Name", IptcName},
    {"http://iptc.org/std/Iptc4xmpExt/2008-02-29/|PersonInImage", IptcPerson},
    {"http://iptc.org/std/Iptc4xmpExt/2008-02-29/|rbX", IptcX},
    {"http://iptc.org/std/Iptc4xmpExt/2008-02-29/|rbY", IptcY},
    {"http://iptc.org/std/Iptc4xmpExt/2008-02-29/|rbW", IptcW},
    {"http://iptc.org/std/Iptc4xmpExt/2008-02-29/|rbH", IptcH},
    {"http://iptc.org/std/Iptc4xmpExt/2008-02-29/|rbShape", IptcShape},
    {"http://iptc.org/std/Iptc4xmpExt/2008-02-29/|rbUnit", IptcUnit},
    {"http://www.digikam.org/ns/1.0/|TagsList", DigikamTags},
    {"http://ns.adobe.com/lightroom/1.0/|hierarchicalSubject", LightroomTags},
    // Windows writes its namespace with the slash, exiftool without.
    {"http://ns.microsoft.com/photo/1.0/|LastKeywordXMP", WindowsTags},
    {"http://ns.microsoft.com/photo/1.0|LastKeywordXMP", WindowsTags},
};

// No packet of a photo program nests this deep: the parse ends there, what was read before stands.
const int MaxDepth = 64;
// The longest number or word kept of a region's other values.
const size_t MaxValueBytes = 64;

Field FieldOf(const XML_Char* name) {
    for (const auto& known : Names) {
        if (std::strcmp(name, known.Name) == 0)
            return known.Is;
    }
    return None;
}

// rdf's own containers and items, which carry the property they are in rather than one of theirs.
bool IsRdf(const XML_Char* name, const char* local) {
    const size_t length = std::strlen(Rdf);
    return std::strncmp(name, Rdf, length) == 0 && std::strcmp(name + length, local) == 0;
}

struct Frame {
    Field Property = None; // the property this element's text is a value of
    bool List = false;     // an rdf:Bag or rdf:Seq
    bool Leaf = true;      // no element within it so far
    bool Carried = false;  // one of rdf's own, carrying its parent's property
};

struct Region {
    Field Kind = None;
    std::string Values[FieldCount];
    bool Set[FieldCount] = {};
};

struct Reading {
    void* Argument = nullptr; // the handlers' first argument, by which the parse is stopped
    std::vector<Frame> Frames;
    size_t RegionDepth = 0; // the open region's depth in Frames, 0 when none is open
    Region Open;
    std::string Text;
    std::vector<FoundPerson>* Found = nullptr;
    bool TooDeep = false;
};

Reading& Of(void* argument) {
    Reading& r = *static_cast<Reading*>(XmpData(argument));
    r.Argument = argument;
    return r;
}

bool IsRegionValue(Field field) {
    return field >= MwgName && field <= IptcUnit;
}

size_t BoundOf(Field field) {
    return field == MwgName || field == MpName || field == IptcName || field == IptcPerson ? MaxFoundNameBytes
                                                                                           : MaxValueBytes;
}

void Add(Reading& r, FoundPerson person) {
    if (r.Found->size() >= MaxFoundPeople) {
        StopXmp(r.Argument);
        return;
    }
    r.Found->push_back(std::move(person));
}

void SetValue(Region& region, Field field, const std::string& value) {
    if (region.Set[field])
        return;
    region.Values[field] = ClipUtf8(value, BoundOf(field));
    region.Set[field] = true;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A decimal number, whole; false for anything else.
bool Number(const std::string& text, double* value) {
    const std::string trimmed = Trimmed(text);
    const char* end = trimmed.data() + trimmed.size();
    const auto result = std::from_chars(trimmed.data(), end, *value);
    return !trimmed.empty() && result.ec == std::errc() && result.ptr == end;
}

bool Numbers(const Region& region, Field x, Field y, Field w, Field h, FaceBox* box) {
    return Number(region.Values[x], &box->Left) && Number(region.Values[y], &box->Top) &&
           Number(region.Values[w], &box->Width) && Number(region.Values[h], &box->Height);
}

// "x, y, w, h", the top-left corner and the size.
bool Rectangle(const std::string& text, FaceBox* box) {
    double values[4] = {};
    size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = i < 3 ? text.find(',', at) : text.size();
        if (comma == std::string::npos || !Number(text.substr(at, comma - at), &values[i]))
            return false;
        at = comma + 1;
    }
    *box = FaceBox{values[0], values[1], values[2], values[3]};
    return true;
}

void CloseRegion(Reading& r) {
    const Region& g = r.Open;
    FoundPerson person;
    if (g.Kind == MwgList) {
        const std::string type = Trimmed(g.Values[MwgType]);
        const std::string unit = Trimmed(g.Values[AreaUnit]);
        if (!type.empty() && type != "Face")
            return;
        person.Source = PeopleSource::Mwg;
        person.Name = g.Values[MwgName];
        // The area's x and y are its centre.
        person.HasBox =
            (unit.empty() || unit == "normalized") && Numbers(g, AreaX, AreaY, AreaW, AreaH, &person.Box);
        person.Box.Left -= person.Box.Width / 2;
        person.Box.Top -= person.Box.Height / 2;
    } else if (g.Kind == MpRegions) {
        person.Source = PeopleSource::Microsoft;
        person.Name = g.Values[MpName];
        person.HasBox = Rectangle(g.Values[MpRectangle], &person.Box);
    } else {
        const std::string shape = Trimmed(g.Values[IptcShape]);
        const std::string unit = Trimmed(g.Values[IptcUnit]);
        person.Source = PeopleSource::Iptc;
        person.Name = g.Set[IptcName] ? g.Values[IptcName] : g.Values[IptcPerson];
        // Other regions hold things as well as people: only a named one is a person.
        if (Trimmed(person.Name).empty())
            return;
        person.HasBox = (shape.empty() || shape == "rectangle") && (unit == "relative" || unit == "pixel") &&
                        Numbers(g, IptcX, IptcY, IptcW, IptcH, &person.Box);
        person.BoxInPixels = person.HasBox && unit == "pixel";
    }
    if (!person.HasBox)
        person.Box = FaceBox();
    if (person.HasBox || !Trimmed(person.Name).empty())
        Add(r, std::move(person));
}

void Start(void* data, const XML_Char* name, const XML_Char** attributes) {
    Reading& r = Of(data);
    if (r.Frames.size() >= size_t(MaxDepth)) {
        r.TooDeep = true;
        StopXmp(r.Argument);
        return;
    }
    r.Text.clear();
    Frame frame;
    const Frame* parent = r.Frames.empty() ? nullptr : &r.Frames.back();
    const bool carried = IsRdf(name, "li") || IsRdf(name, "Bag") || IsRdf(name, "Seq") ||
                         IsRdf(name, "Alt") || IsRdf(name, "Description");
    frame.Property = carried ? (parent != nullptr ? parent->Property : None) : FieldOf(name);
    frame.List = IsRdf(name, "Bag") || IsRdf(name, "Seq");
    frame.Carried = carried;
    // A region is an item of a list of regions; one within another is read as part of the outer.
    if (r.RegionDepth == 0 && IsRdf(name, "li") && parent != nullptr && parent->List &&
        r.Frames.size() >= 2) {
        const Frame& holder = r.Frames[r.Frames.size() - 2];
        const Field list = holder.Property;
        if (!holder.Carried && (list == MwgList || list == MpRegions || list == IptcRegions)) {
            r.Open = Region();
            r.Open.Kind = list;
            r.RegionDepth = r.Frames.size() + 1;
        }
    }
    if (!r.Frames.empty())
        r.Frames.back().Leaf = false;
    r.Frames.push_back(frame);
    if (r.RegionDepth != 0) {
        for (const XML_Char** a = attributes; a[0] != nullptr; a += 2) {
            const Field field = FieldOf(a[0]);
            if (IsRegionValue(field))
                SetValue(r.Open, field, a[1]);
        }
    }
}

void End(void* data, const XML_Char*) {
    Reading& r = Of(data);
    // After the stop at the depth bound expat may still end the element it stopped in, never opened
    // here.
    if (r.TooDeep)
        return;
    const Frame frame = r.Frames.back();
    const Field field = frame.Property;
    if (frame.Leaf && field != None) {
        if (r.RegionDepth != 0 && IsRegionValue(field)) {
            SetValue(r.Open, field, r.Text);
        } else if (r.RegionDepth == 0 && field == IptcPerson) {
            FoundPerson person;
            person.Source = PeopleSource::Iptc;
            person.Name = r.Text;
            Add(r, std::move(person));
        } else if (r.RegionDepth == 0 &&
                   (field == DigikamTags || field == LightroomTags || field == WindowsTags)) {
            FoundPerson person;
            person.Source = PeopleSource::Keywords;
            person.Name = PersonOfKeyword(r.Text, field == LightroomTags ? '|' : '/');
            if (!person.Name.empty())
                Add(r, std::move(person));
        }
    }
    if (r.RegionDepth == r.Frames.size()) {
        CloseRegion(r);
        r.RegionDepth = 0;
    }
    r.Frames.pop_back();
    r.Text.clear();
}

// Bounded as it comes, cut at a character's boundary (expat hands over valid UTF-8 only).
void Characters(void* data, const XML_Char* text, int length) {
    Reading& r = Of(data);
    if (r.Text.size() >= MaxFoundNameBytes)
        return;
    r.Text.append(text, std::min(size_t(length), MaxFoundNameBytes + 4));
    r.Text = ClipUtf8(r.Text, MaxFoundNameBytes);
}

} // namespace

std::string PersonOfKeyword(const std::string& keyword, char separator) {
    const size_t first = keyword.find(separator);
    const size_t last = keyword.rfind(separator);
    if (first == std::string::npos)
        return std::string();
    std::string branch = Trimmed(keyword.substr(0, first));
    for (char& c : branch)
        c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    return branch == "people" ? Trimmed(keyword.substr(last + 1)) : std::string();
}

void ReadXmpPeople(const uint8_t* packet, size_t size, std::vector<FoundPerson>* found) {
    if (found->size() >= MaxFoundPeople)
        return;
    Reading reading;
    reading.Found = found;
    const size_t before = found->size();
    if (ParseXmp(packet, size, &reading, Start, End, Characters) == XmpParse::Refused)
        found->resize(before);
}
