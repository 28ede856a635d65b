#include "pictures/FaceIndexStore.h"

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <unordered_map>
#include <utility>

#include "pictures/FaceIndexSql.h"

namespace fs = std::filesystem;

namespace {

// A picture keeps at most this many faces: a hostile tag list does not grow the file without end.
constexpr size_t MaxStoredFaces = 256;
constexpr int DescriptorBytes = int(sizeof(FaceDescriptor));

fs::path PathOf(const std::string& utf8) {
    return fs::u8path(utf8);
}

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(PathOf(path), error);
}

// One prepared statement, finalised when it goes.
class Statement {
public:
    Statement(sqlite3* db, const char* text) { sqlite3_prepare_v2(db, text, -1, &statement_, nullptr); }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    explicit operator bool() const { return statement_ != nullptr; }
    Statement& Bind(int at, int64_t value) {
        sqlite3_bind_int64(statement_, at, value);
        return *this;
    }
    Statement& Bind(int at, double value) {
        sqlite3_bind_double(statement_, at, value);
        return *this;
    }
    Statement& Bind(int at, const std::string& text) {
        sqlite3_bind_text(statement_, at, text.data(), int(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(int at, const std::optional<std::string>& text) {
        if (text)
            return Bind(at, *text);
        sqlite3_bind_null(statement_, at);
        return *this;
    }
    Statement& Bind(int at, const std::optional<FaceDescriptor>& descriptor) {
        if (descriptor)
            sqlite3_bind_blob(statement_, at, descriptor->data(), DescriptorBytes, SQLITE_TRANSIENT);
        else
            sqlite3_bind_null(statement_, at);
        return *this;
    }
    // SQLITE_ROW, SQLITE_DONE or an error.
    int Step() { return statement_ ? sqlite3_step(statement_) : SQLITE_ERROR; }
    // Runs a statement that returns no rows, anew each time.
    bool Run() {
        const int code = Step();
        sqlite3_reset(statement_);
        return code == SQLITE_DONE;
    }
    void Reset() { sqlite3_reset(statement_); }
    int64_t Integer(int column) const { return sqlite3_column_int64(statement_, column); }
    double Real(int column) const { return sqlite3_column_double(statement_, column); }
    bool IsNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }
    std::optional<std::string> Text(int column) const {
        if (IsNull(column))
            return std::nullopt;
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        return std::string(text ? text : "", size_t(sqlite3_column_bytes(statement_, column)));
    }
    std::optional<FaceDescriptor> Descriptor(int column) const {
        const void* blob = sqlite3_column_blob(statement_, column);
        if (!blob || sqlite3_column_bytes(statement_, column) != DescriptorBytes)
            return std::nullopt;
        FaceDescriptor descriptor;
        std::memcpy(descriptor.data(), blob, DescriptorBytes);
        return descriptor;
    }

private:
    sqlite3_stmt* statement_ = nullptr;
};

// The face of a row of DescribedFaces or FacesOfPerson.
StoredFace FaceOfRow(const Statement& row) {
    StoredFace face;
    face.Id = row.Integer(0);
    face.Picture = row.Integer(1);
    face.Path = row.Text(2).value_or("");
    face.Box = {row.Real(3), row.Real(4), row.Real(5), row.Real(6)};
    face.Descriptor = row.Descriptor(7);
    face.Tag = row.Text(8);
    if (!row.IsNull(9))
        face.Person = row.Integer(9);
    return face;
}

// A path's form as an SQLite URI path: '/' between folders, bytes beyond the plain ones escaped.
std::string UriPath(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string uri;
    for (unsigned char c : path) {
        if (c == '\\')
            c = '/';
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            std::strchr("/:-_.~", c))
            uri += char(c);
        else
            uri += {'%', hex[c >> 4], hex[c & 15]};
    }
    return uri;
}

// What opening found of a file.
enum class Found { Ours, Empty, Unusable, Failed };

} // namespace

struct FaceIndexStore::Connection {
    sqlite3* Db = nullptr;
    ~Connection() { sqlite3_close_v2(Db); }

    int Code() const { return sqlite3_errcode(Db) & 0xff; }
    std::string Message() const { return sqlite3_errmsg(Db); }
    bool Exec(const char* text) { return sqlite3_exec(Db, text, nullptr, nullptr, nullptr) == SQLITE_OK; }
    // The first column of the first row of a statement; the error's code when it fails.
    int Single(const char* text, std::string* value) {
        Statement statement(Db, text);
        const int code = statement.Step();
        if (code == SQLITE_ROW) {
            *value = statement.Text(0).value_or("");
            return SQLITE_OK;
        }
        return code == SQLITE_DONE ? SQLITE_OK : Code();
    }
};

FaceIndexStore::FaceIndexStore(const std::string& path, const StoreOptions& options)
    : path_(path), options_(options) {
    std::error_code error;
    fs::create_directories(PathOf(path).parent_path(), error);
    if (OpenFile(true) || status_ == StoreStatus::Ready || status_ == StoreStatus::ReadOnly)
        return;
    if (status_ != StoreStatus::Unavailable || setAsideReason_.empty())
        return;
    // Unusable: set aside with its -wal and -shm, under a name not taken yet, and made anew.
    db_.reset();
    const std::string stem = path_ + ".set-aside-" + std::to_string(int64_t(std::time(nullptr)));
    std::string aside = stem;
    for (int n = 2; Exists(aside); ++n)
        aside = stem + "-" + std::to_string(n);
    fs::rename(PathOf(path_), PathOf(aside), error);
    if (error) {
        reason_ = "cannot set aside " + path_ + ": " + error.message();
        return;
    }
    setAside_ = aside;
    for (const char* part : {"-wal", "-shm"}) {
        if (Exists(path_ + part))
            fs::rename(PathOf(path_ + part), PathOf(aside + part), error);
    }
    OpenFile(true);
}

FaceIndexStore::~FaceIndexStore() = default;

// Opens the file, writable when it can be, and checks it: true when it is ours and sound. A file
// found unusable leaves status_ Unavailable with setAsideReason_ saying why.
bool FaceIndexStore::OpenFile(bool writable) {
    db_ = std::make_unique<Connection>();
    status_ = StoreStatus::Unavailable;
    std::string uri;
    int flags = writable ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY;
    if (!writable) {
        // A folder no one may write to: no other game writes either, so the file is read as it
        // stands, without the shared memory a WAL file's readers otherwise make beside it.
        uri = "file:" + UriPath(path_) + "?immutable=1";
        flags |= SQLITE_OPEN_URI;
    }
    int code = sqlite3_open_v2(writable ? path_.c_str() : uri.c_str(), &db_->Db, flags, nullptr);
    if (code == SQLITE_OK) {
        sqlite3_busy_timeout(db_->Db, options_.BusyMilliseconds);
        db_->Exec(sql::Settings);
    }
    std::string applicationId, version, check, tables;
    if (code == SQLITE_OK)
        code = db_->Single(sql::ApplicationId, &applicationId);
    if (code == SQLITE_OK)
        code = db_->Single(sql::UserVersion, &version);
    if (code == SQLITE_OK)
        code = db_->Single(sql::TableCount, &tables);
    if (code == SQLITE_OK)
        code = db_->Single(sql::QuickCheck, &check);

    Found found = Found::Ours;
    std::string why;
    if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT) {
        found = Found::Unusable;
        why = db_->Message();
    } else if (code != SQLITE_OK) {
        found = Found::Failed;
        why = db_->Db ? db_->Message() : "out of memory";
    } else if (applicationId == "0" && tables == "0") {
        found = Found::Empty;
    } else if (applicationId != std::to_string(PeopleIndexApplicationId)) {
        found = Found::Unusable;
        why = "another program's file (application id " + applicationId + ")";
    } else if (std::stoll(version) > PeopleIndexVersion) {
        found = Found::Unusable;
        why = "a newer game's file (version " + version + ")";
    } else if (check != "ok") {
        found = Found::Unusable;
        why = "damaged: " + check;
    }

    if (found == Found::Unusable) {
        setAsideReason_ = why;
        reason_ = why;
        return false;
    }
    if (found == Found::Failed && (code == SQLITE_BUSY || code == SQLITE_LOCKED)) {
        // Another game holds the file past the wait: neither damaged nor read as it stands.
        status_ = StoreStatus::Busy;
        reason_ = why;
        return false;
    }
    if (found == Found::Failed) {
        reason_ = why;
        if (writable && Exists(path_))
            return OpenFile(false) || (reason_ = why, false);
        return false;
    }
    if (writable && sqlite3_db_readonly(db_->Db, "main") == 1) {
        status_ = StoreStatus::ReadOnly;
        reason_ = "the file is read-only";
        return found == Found::Ours;
    }
    if (!writable) {
        status_ = found == Found::Ours ? StoreStatus::ReadOnly : StoreStatus::Unavailable;
        return found == Found::Ours;
    }

    std::string pageSize;
    db_->Single(sql::PageSize, &pageSize);
    const int64_t pages = options_.MaxBytes / std::max<int64_t>(512, std::atoll(pageSize.c_str()));
    db_->Exec(("PRAGMA max_page_count = " + std::to_string(std::max<int64_t>(pages, 1)) + ";").c_str());
    std::string mode;
    if (db_->Single(sql::Wal, &mode) != SQLITE_OK || mode != "wal") {
        reason_ = "no WAL: " + db_->Message();
        return OpenFile(false);
    }
    if (found == Found::Empty) {
        // Two games starting on a new file: the second finds the first's tables once it may write.
        const std::string stamp = "PRAGMA application_id = " + std::to_string(PeopleIndexApplicationId) +
                                  "; PRAGMA user_version = " + std::to_string(PeopleIndexVersion) + ";";
        bool made = db_->Exec(sql::Begin) && db_->Single(sql::TableCount, &tables) == SQLITE_OK &&
                    (tables != "0" || (db_->Exec(sql::Schema) && db_->Exec(stamp.c_str()))) &&
                    db_->Exec(sql::Commit);
        if (!made) {
            reason_ = db_->Message();
            Trouble(db_->Code(), "cannot make the index");
            if (!sqlite3_get_autocommit(db_->Db))
                db_->Exec(sql::Rollback);
            return false;
        }
    }
    status_ = StoreStatus::Ready;
    reason_.clear();
    return true;
}

void FaceIndexStore::Trouble(int code, const char* what) {
    reason_ = std::string(what) + ": " + (db_ && db_->Db ? db_->Message() : "");
    switch (code) {
        case SQLITE_FULL:
            status_ = StoreStatus::DiskFull;
            break;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            status_ = StoreStatus::Busy;
            break;
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
            status_ = StoreStatus::ReadOnly;
            break;
        default:
            status_ = StoreStatus::Unavailable;
    }
}

std::optional<StoreStatus> FaceIndexStore::NewTrouble() {
    if (status_ == StoreStatus::Ready || reported_ == status_)
        return std::nullopt;
    reported_ = status_;
    return status_;
}

bool FaceIndexStore::Usable() {
    return db_ && db_->Db && status_ != StoreStatus::Unavailable;
}

namespace {
std::atomic<uint64_t> CommittedWrites{0};
} // namespace

uint64_t FaceIndexStore::WritesInProcess() {
    return CommittedWrites.load();
}

// One transaction: taken for writing (waiting for another game's up to BusyMilliseconds), the work
// done, committed whole; on any failure nothing of it stays.
bool FaceIndexStore::Write(const std::function<bool()>& work) {
    if (!Usable() || status_ == StoreStatus::ReadOnly)
        return false;
    if (!db_->Exec(sql::Begin)) {
        Trouble(db_->Code(), "cannot write");
        return false;
    }
    if (work() && db_->Exec(sql::Commit)) {
        ++CommittedWrites;
        status_ = StoreStatus::Ready;
        reported_.reset();
        return true;
    }
    const int code = db_->Code();
    // Work that refused itself (a person gone meanwhile) is no trouble of the file's.
    if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE)
        Trouble(code, "cannot write");
    if (!sqlite3_get_autocommit(db_->Db))
        db_->Exec(sql::Rollback);
    return false;
}

IndexWork FaceIndexStore::Compare(const std::vector<ListedPicture>& listing) {
    IndexWork work;
    std::unordered_map<std::string, std::pair<int64_t, int64_t>> kept;
    if (Usable()) {
        Statement rows(db_->Db, sql::ListPictures);
        while (rows.Step() == SQLITE_ROW)
            kept[rows.Text(0).value_or("")] = {rows.Integer(1), rows.Integer(2)};
    }
    for (const ListedPicture& picture : listing) {
        const auto found = kept.find(picture.Path);
        if (found == kept.end()) {
            work.ToRead.push_back(picture);
            continue;
        }
        if (found->second != std::make_pair(int64_t(picture.Size), picture.WriteTime))
            work.ToRead.push_back(picture);
        found->second.first = -1; // listed
    }
    for (const auto& [path, facts] : kept) {
        if (facts.first != -1)
            work.Gone.push_back(path);
    }
    return work;
}

bool FaceIndexStore::StoreBatch(const std::vector<IndexedPicture>& batch) {
    return Write([&] {
        Statement find(db_->Db, sql::PictureId), insert(db_->Db, sql::InsertPicture),
            update(db_->Db, sql::UpdatePicture), clear(db_->Db, sql::DeleteFacesOf),
            face(db_->Db, sql::InsertFace);
        for (const IndexedPicture& picture : batch) {
            find.Bind(1, picture.File.Path);
            const bool known = find.Step() == SQLITE_ROW;
            int64_t id = known ? find.Integer(0) : 0;
            find.Reset();
            Statement& row = known ? update : insert;
            if (known)
                row.Bind(1, id);
            else
                row.Bind(1, picture.File.Path);
            row.Bind(2, int64_t(picture.File.Size))
                .Bind(3, picture.File.WriteTime)
                .Bind(4, int64_t(picture.Failed));
            if (!row.Run() || (known && !clear.Bind(1, id).Run()))
                return false;
            if (!known)
                id = sqlite3_last_insert_rowid(db_->Db);
            for (size_t n = 0; n < picture.Faces.size() && n < MaxStoredFaces; ++n) {
                const IndexedFace& f = picture.Faces[n];
                face.Bind(1, id)
                    .Bind(2, f.Box.Left)
                    .Bind(3, f.Box.Top)
                    .Bind(4, f.Box.Width)
                    .Bind(5, f.Box.Height);
                if (!face.Bind(6, f.Descriptor).Bind(7, f.Tag).Run())
                    return false;
            }
        }
        return db_->Exec(sql::DeleteEmptyPeople);
    });
}

bool FaceIndexStore::Remove(const std::vector<std::string>& paths) {
    return Write([&] {
        Statement remove(db_->Db, sql::DeletePicture);
        for (const std::string& path : paths) {
            if (!remove.Bind(1, path).Run())
                return false;
        }
        return db_->Exec(sql::DeleteEmptyPeople);
    });
}

bool FaceIndexStore::ForEachDescribedFace(const std::function<bool(const StoredFace&)>& each) {
    if (!Usable())
        return false;
    Statement rows(db_->Db, sql::DescribedFaces);
    int code;
    while ((code = rows.Step()) == SQLITE_ROW) {
        if (!each(FaceOfRow(rows)))
            return true;
    }
    return code == SQLITE_DONE;
}

std::vector<StoredPerson> FaceIndexStore::People() {
    std::vector<StoredPerson> people;
    if (!Usable())
        return people;
    Statement rows(db_->Db, sql::People);
    while (rows.Step() == SQLITE_ROW)
        people.push_back(
            {rows.Integer(0), rows.Text(1), rows.Integer(2) != 0, rows.Integer(3), rows.Integer(4)});
    return people;
}

std::vector<StoredFace> FaceIndexStore::FacesOf(int64_t person) {
    std::vector<StoredFace> faces;
    if (!Usable())
        return faces;
    Statement rows(db_->Db, sql::FacesOfPerson);
    rows.Bind(1, person);
    while (rows.Step() == SQLITE_ROW)
        faces.push_back(FaceOfRow(rows));
    return faces;
}

bool FaceIndexStore::ForEachShownFace(const std::function<bool(const ShownFace&)>& each) {
    if (!Usable())
        return false;
    Statement rows(db_->Db, sql::ShownFaces);
    int code;
    while ((code = rows.Step()) == SQLITE_ROW) {
        const ShownFace face = {rows.Text(0).value_or(""),
                                {rows.Real(1), rows.Real(2), rows.Real(3), rows.Real(4)},
                                rows.Integer(5),
                                rows.Text(6),
                                rows.Text(7)};
        if (!each(face))
            return true;
    }
    return code == SQLITE_DONE;
}

int64_t FaceIndexStore::NewPerson(const std::vector<int64_t>& faces) {
    int64_t person = 0;
    const bool made = Write([&] {
        Statement join(db_->Db, sql::JoinFace);
        if (!db_->Exec(sql::InsertPerson))
            return false;
        person = sqlite3_last_insert_rowid(db_->Db);
        for (int64_t face : faces) {
            if (!join.Bind(1, face).Bind(2, person).Run())
                return false;
        }
        return db_->Exec(sql::DeleteEmptyPeople);
    });
    return made ? person : 0;
}

bool FaceIndexStore::Join(int64_t person, const std::vector<int64_t>& faces) {
    return Write([&] {
        Statement exists(db_->Db, sql::PersonExists), join(db_->Db, sql::JoinFace);
        if (exists.Bind(1, person).Step() != SQLITE_ROW)
            return false;
        for (int64_t face : faces) {
            if (!join.Bind(1, face).Bind(2, person).Run())
                return false;
        }
        return db_->Exec(sql::DeleteEmptyPeople);
    });
}

bool FaceIndexStore::SetName(int64_t person, const std::optional<std::string>& name) {
    return Write([&] { return Statement(db_->Db, sql::SetName).Bind(1, person).Bind(2, name).Run(); });
}

bool FaceIndexStore::SetHidden(int64_t person, bool hidden) {
    return Write(
        [&] { return Statement(db_->Db, sql::SetHidden).Bind(1, person).Bind(2, int64_t(hidden)).Run(); });
}

bool FaceIndexStore::Merge(int64_t into, int64_t from) {
    if (into == from)
        return false;
    return Write([&] {
        Statement a(db_->Db, sql::PersonExists), b(db_->Db, sql::PersonExists);
        if (a.Bind(1, into).Step() != SQLITE_ROW || b.Bind(1, from).Step() != SQLITE_ROW)
            return false;
        for (const char* text : {sql::MergeName, sql::MergeMembers, sql::MergeRefusals, sql::LeaveRefused}) {
            if (!Statement(db_->Db, text).Bind(1, into).Bind(2, from).Run())
                return false;
        }
        return Statement(db_->Db, sql::DeletePerson).Bind(1, from).Run();
    });
}

bool FaceIndexStore::Refuse(int64_t face, int64_t person) {
    return Write([&] {
        return Statement(db_->Db, sql::InsertRefusal).Bind(1, face).Bind(2, person).Run() &&
               Statement(db_->Db, sql::LeavePerson).Bind(1, face).Bind(2, person).Run();
    });
}

bool FaceIndexStore::Refused(int64_t face, int64_t person) {
    if (!Usable())
        return false;
    Statement row(db_->Db, sql::IsRefused);
    return row.Bind(1, face).Bind(2, person).Step() == SQLITE_ROW;
}

std::vector<std::pair<int64_t, int64_t>> FaceIndexStore::Refusals() {
    std::vector<std::pair<int64_t, int64_t>> refusals;
    if (!Usable())
        return refusals;
    Statement rows(db_->Db, sql::AllRefusals);
    while (rows.Step() == SQLITE_ROW)
        refusals.push_back({rows.Integer(0), rows.Integer(1)});
    return refusals;
}

bool ForgetPeople(const std::string& path, std::string* left) {
    const fs::path file = PathOf(path);
    std::vector<fs::path> doomed;
    for (const char* part : {"", "-wal", "-shm", "-journal"})
        doomed.push_back(PathOf(path + part));
    std::error_code error;
    const std::string asidePrefix = file.filename().u8string() + ".set-aside-";
    for (fs::directory_iterator entry(file.parent_path(), error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().filename().u8string().compare(0, asidePrefix.size(), asidePrefix) == 0)
            doomed.push_back(entry->path());
    }
    bool all = true;
    for (const fs::path& one : doomed) {
        fs::remove(one, error);
        if (fs::exists(one, error) || (error && error != std::errc::no_such_file_or_directory)) {
            all = false;
            if (left)
                *left = one.u8string();
        }
    }
    return all;
}
