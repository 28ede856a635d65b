#include "pictures/GooglePeople.h"

#include <cstdint>

#include <nlohmann/json.hpp>

#include "pictures/PictureFacts.h"

namespace {

using Json = nlohmann::json;

// Nesting deeper than this is no export of Google's: the file is not read.
const size_t MaxDepth = 64;
const size_t MaxNameBytes = 1024;

// Keeps the top object's "title" and the "name" of each object of its "people" array; everything
// else is passed over as it comes, so a file costs no more memory than its largest string.
class PeopleHandler : public nlohmann::json_sax<Json> {
public:
    explicit PeopleHandler(GoogleJson* read) : Read(read) {}

    bool null() override { return Value(); }
    bool boolean(bool) override { return Value(); }
    bool number_integer(number_integer_t) override { return Value(); }
    bool number_unsigned(number_unsigned_t) override { return Value(); }
    bool number_float(number_float_t, const string_t&) override { return Value(); }
    bool binary(binary_t&) override { return Value(); }
    bool string(string_t& text) override {
        if (Depth == 1 && RootKey == "title")
            Read->Title = ClipUtf8(text, MaxNameBytes);
        else if (Depth == 3 && InPeople && PersonKey == "name" && Read->People.size() < MaxGooglePeople)
            Read->People.push_back(ClipUtf8(text, MaxNameBytes));
        // All that is kept is known: the rest is not read.
        Done = Read->People.size() == MaxGooglePeople && !Read->Title.empty();
        return !Done;
    }
    bool start_object(std::size_t) override { return Open(false); }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(true); }
    bool end_array() override { return Close(); }
    bool key(string_t& name) override {
        // Only keys as short as those compared with are kept.
        const std::string kept = name.size() <= 8 ? name : std::string();
        if (Depth == 1)
            RootKey = kept;
        else if (Depth == 3)
            PersonKey = kept;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }
    bool Object = false; // the top value is an object
    bool Done = false;   // stopped with all it keeps read

private:
    bool Value() { return true; }
    bool Open(bool array) {
        if (Depth == 0)
            Object = !array;
        InPeople = InPeople || (Depth == 1 && array && RootKey == "people");
        ++Depth;
        PersonKey.clear();
        return Depth <= MaxDepth;
    }
    bool Close() {
        --Depth;
        InPeople = InPeople && Depth > 1;
        return true;
    }

    GoogleJson* Read;
    size_t Depth = 0;      // containers open
    bool InPeople = false; // within the top object's "people" array
    std::string RootKey;   // the top object's last key
    std::string PersonKey; // the last key of the object open at depth 3
};

} // namespace

bool ReadGoogleJson(const std::string& json, GoogleJson* read) {
    *read = GoogleJson();
    if (json.size() > MaxGoogleJsonBytes)
        return false;
    PeopleHandler handler(read);
    bool parsed = false;
    try {
        parsed = Json::sax_parse(json.begin(), json.end(), &handler);
    } catch (const std::exception&) {
        parsed = false;
    }
    const bool whole = (parsed || handler.Done) && handler.Object;
    if (!whole)
        *read = GoogleJson();
    return whole;
}

std::vector<GoogleJsonName> GoogleJsonNames(const std::string& picture) {
    // Takeout's longest name, its ".json" included, and the shortest it cuts to.
    const size_t longest = 51;
    const size_t shortest = 46;
    const std::string json = ".json";
    std::vector<GoogleJsonName> names;
    for (const std::string& stem : {picture, picture + ".supplemental-metadata"}) {
        names.push_back({stem + json, true});
        for (size_t length = shortest; length <= longest && stem.size() + json.size() > length; ++length) {
            const GoogleJsonName cut{ClipUtf8(stem, length - json.size()) + json, false};
            bool known = false;
            for (const GoogleJsonName& name : names)
                known = known || name.Name == cut.Name;
            if (!known)
                names.push_back(cut);
        }
    }
    return names;
}
