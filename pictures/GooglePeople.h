// The people a Google Photos export names of a picture, in the JSON file Google Takeout keeps
// beside it; read through nlohmann-json's SAX interface.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// At most this large a JSON file is read, and this many of its people kept.
constexpr size_t MaxGoogleJsonBytes = size_t(1) << 20;
constexpr size_t MaxGooglePeople = 64;

struct GoogleJson {
    std::string Title;               // its "title": the picture's file name as Google knew it
    std::vector<std::string> People; // its "people"[]."name", as written (bounded, not cleaned)
};

// Reads the title and the people of a Google Photos JSON; false when it is no JSON object (a
// truncated or malformed file, nesting deeper than a bound), read holding nothing then. Once the
// title and MaxGooglePeople names are read, the rest is not.
bool ReadGoogleJson(const std::string& json, GoogleJson* read);

// The names a picture's JSON may have beside it (picture is its file name, without the folder):
// "photo.jpg.json" and "photo.jpg.supplemental-metadata.json" whole, then the same cut short as
// Takeout cuts names longer than it allows. Only the whole ones are the picture's by their name; a
// cut one is the picture's only when its title says so.
struct GoogleJsonName {
    std::string Name;
    bool Whole;
};
std::vector<GoogleJsonName> GoogleJsonNames(const std::string& picture);
