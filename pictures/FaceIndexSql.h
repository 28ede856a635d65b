// Every statement the face index runs (pictures/FaceIndexStore.cpp), in one place with its schema.
#pragma once

#include <cstdint>

// "YwPI" in the file's header: a file of another program is told apart from ours.
constexpr int32_t PeopleIndexApplicationId = 0x59775049;
// The schema's version: a file of a newer game is set aside rather than misread.
constexpr int PeopleIndexVersion = 1;

namespace sql {

// The connection's settings: WAL, so readers go on during a write and a kill loses at most the
// write under way; foreign keys, so a picture's faces and their memberships go with it.
constexpr const char* Settings = "PRAGMA foreign_keys = ON; PRAGMA secure_delete = ON;";
constexpr const char* Wal = "PRAGMA journal_mode = WAL;";
constexpr const char* ApplicationId = "PRAGMA application_id;";
constexpr const char* UserVersion = "PRAGMA user_version;";
constexpr const char* QuickCheck = "PRAGMA quick_check(1);";
constexpr const char* PageSize = "PRAGMA page_size;";
constexpr const char* TableCount = "SELECT count(*) FROM sqlite_schema;";

// Made in one transaction with the application id and version. Box fractions as the picture is shown; a
// descriptor is 128 float32 in the machine's (little-endian) order; state 0 read, 1 failed.
constexpr const char* Schema = R"(
CREATE TABLE pictures(
    id INTEGER PRIMARY KEY,
    path TEXT NOT NULL UNIQUE,
    size INTEGER NOT NULL,
    write_time INTEGER NOT NULL,
    state INTEGER NOT NULL CHECK (state IN (0, 1)));
CREATE TABLE faces(
    id INTEGER PRIMARY KEY,
    picture INTEGER NOT NULL REFERENCES pictures(id) ON DELETE CASCADE,
    x REAL NOT NULL, y REAL NOT NULL, w REAL NOT NULL, h REAL NOT NULL,
    descriptor BLOB CHECK (descriptor IS NULL OR length(descriptor) = 512),
    tag TEXT);
CREATE INDEX faces_of_picture ON faces(picture);
CREATE TABLE people(
    id INTEGER PRIMARY KEY,
    name TEXT,
    hidden INTEGER NOT NULL DEFAULT 0);
CREATE TABLE members(
    face INTEGER PRIMARY KEY REFERENCES faces(id) ON DELETE CASCADE,
    person INTEGER NOT NULL REFERENCES people(id) ON DELETE CASCADE);
CREATE INDEX members_of_person ON members(person);
CREATE TABLE refusals(
    face INTEGER NOT NULL REFERENCES faces(id) ON DELETE CASCADE,
    person INTEGER NOT NULL REFERENCES people(id) ON DELETE CASCADE,
    PRIMARY KEY (face, person)) WITHOUT ROWID;
CREATE INDEX refusals_of_person ON refusals(person);
)";

constexpr const char* Begin = "BEGIN IMMEDIATE;";
constexpr const char* Commit = "COMMIT;";
constexpr const char* Rollback = "ROLLBACK;";

constexpr const char* ListPictures = "SELECT path, size, write_time FROM pictures;";
constexpr const char* PictureId = "SELECT id FROM pictures WHERE path = ?1;";
constexpr const char* InsertPicture =
    "INSERT INTO pictures(path, size, write_time, state) VALUES (?1, ?2, ?3, ?4);";
constexpr const char* UpdatePicture =
    "UPDATE pictures SET size = ?2, write_time = ?3, state = ?4 WHERE id = ?1;";
constexpr const char* DeleteFacesOf = "DELETE FROM faces WHERE picture = ?1;";
constexpr const char* InsertFace =
    "INSERT INTO faces(picture, x, y, w, h, descriptor, tag) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7);";
constexpr const char* DeletePicture = "DELETE FROM pictures WHERE path = ?1;";
// People left without a face go with their last one, unless the player named or hid them.
constexpr const char* DeleteEmptyPeople =
    "DELETE FROM people WHERE name IS NULL AND hidden = 0 AND "
    "NOT EXISTS (SELECT 1 FROM members WHERE members.person = people.id);";

constexpr const char* DescribedFaces =
    "SELECT f.id, f.picture, p.path, f.x, f.y, f.w, f.h, f.descriptor, f.tag, m.person FROM faces f "
    "JOIN pictures p ON p.id = f.picture LEFT JOIN members m ON m.face = f.id "
    "WHERE f.descriptor IS NOT NULL ORDER BY f.id;";
constexpr const char* FacesOfPerson =
    "SELECT f.id, f.picture, p.path, f.x, f.y, f.w, f.h, f.descriptor, f.tag, m.person FROM members m "
    "JOIN faces f ON f.id = m.face JOIN pictures p ON p.id = f.picture WHERE m.person = ?1 ORDER BY f.id;";
constexpr const char* People =
    "SELECT pe.id, pe.name, pe.hidden, count(DISTINCT f.picture), count(f.id) FROM people pe "
    "LEFT JOIN members m ON m.person = pe.id LEFT JOIN faces f ON f.id = m.face GROUP BY pe.id ORDER BY "
    "pe.id;";

// The faces of the people not hidden, a picture's together: what a deal reads of the index.
constexpr const char* ShownFaces =
    "SELECT p.path, f.x, f.y, f.w, f.h, pe.id, pe.name, f.tag FROM members m JOIN people pe ON pe.id = "
    "m.person "
    "JOIN faces f ON f.id = m.face JOIN pictures p ON p.id = f.picture WHERE pe.hidden = 0 ORDER BY p.id, "
    "f.id;";

constexpr const char* InsertPerson = "INSERT INTO people(name) VALUES (NULL);";
constexpr const char* JoinFace =
    "INSERT INTO members(face, person) SELECT ?1, ?2 WHERE EXISTS (SELECT 1 FROM faces WHERE id = ?1) "
    "AND NOT EXISTS (SELECT 1 FROM refusals WHERE face = ?1 AND person = ?2) "
    "ON CONFLICT(face) DO UPDATE SET person = excluded.person;";
constexpr const char* PersonExists = "SELECT 1 FROM people WHERE id = ?1;";
constexpr const char* SetName = "UPDATE people SET name = ?2 WHERE id = ?1;";
constexpr const char* SetHidden = "UPDATE people SET hidden = ?2 WHERE id = ?1;";
constexpr const char* MergeName =
    "UPDATE people SET name = (SELECT name FROM people WHERE id = ?2) WHERE id = ?1 AND name IS NULL;";
constexpr const char* MergeMembers = "UPDATE members SET person = ?1 WHERE person = ?2;";
constexpr const char* MergeRefusals = "UPDATE OR IGNORE refusals SET person = ?1 WHERE person = ?2;";
constexpr const char* DeletePerson = "DELETE FROM people WHERE id = ?1;";
// A face refused by the person it is merged into leaves them.
constexpr const char* LeaveRefused =
    "DELETE FROM members WHERE person = ?1 AND face IN (SELECT face FROM refusals WHERE person = ?1);";
constexpr const char* InsertRefusal = "INSERT OR IGNORE INTO refusals(face, person) SELECT ?1, ?2 WHERE "
                                      "EXISTS (SELECT 1 FROM faces WHERE id = ?1) "
                                      "AND EXISTS (SELECT 1 FROM people WHERE id = ?2);";
constexpr const char* LeavePerson = "DELETE FROM members WHERE face = ?1 AND person = ?2;";
constexpr const char* IsRefused = "SELECT 1 FROM refusals WHERE face = ?1 AND person = ?2;";

} // namespace sql
