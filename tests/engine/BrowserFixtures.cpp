#include "BrowserFixtures.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fixtures {

namespace {

std::string joined(const std::vector<int>& values, const std::string& pattern) {
    std::string sql;
    for (const int value : values) {
        std::string statement = pattern;
        for (auto at = statement.find("$"); at != std::string::npos; at = statement.find("$"))
            statement.replace(at, 1, std::to_string(value));
        sql += statement;
    }
    return sql;
}

std::vector<int> range(int count) {
    std::vector<int> values;
    for (int i = 1; i <= count; ++i)
        values.push_back(i);
    return values;
}

} // namespace

Connection::Connection(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw std::runtime_error("cannot open " + path);
    }
}

Connection::~Connection() {
    sqlite3_close(db_);
}

void Connection::exec(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return;
    const std::string error = message ? message : "unknown error";
    sqlite3_free(message);
    throw std::runtime_error(error + " in: " + sql);
}

std::string Connection::text(const std::string& sql) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + " in: " + sql);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    if (sqlite3_step(raw) != SQLITE_ROW) throw std::runtime_error("no row: " + sql);
    const auto* value = sqlite3_column_text(raw, 0);
    return value ? reinterpret_cast<const char*>(value) : "";
}

std::int64_t Connection::scalar(const std::string& sql) {
    return std::stoll(text(sql));
}

ExclusiveLock::ExclusiveLock(const std::string& path)
    : connection_(std::make_unique<Connection>(path)) {
    connection_->exec("BEGIN EXCLUSIVE");
}

ExclusiveLock::~ExclusiveLock() {
    try {
        connection_->exec("ROLLBACK");
    } catch (const std::exception&) {
        // Closing the connection ends the transaction all the same.
    }
}

void exec(const std::string& path, const std::string& sql) {
    Connection(path).exec(sql);
}

std::int64_t rowCount(const std::string& path, const std::string& table) {
    std::string quoted;
    for (const char c : table)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return Connection(path).scalar("SELECT count(*) FROM \"" + quoted + "\"");
}

std::vector<std::int64_t> ids(const std::string& path, const std::string& sql) {
    Connection connection(path);
    const std::int64_t n = connection.scalar("SELECT count(*) FROM (" + sql + ")");
    std::vector<std::int64_t> out;
    for (std::int64_t i = 0; i < n; ++i)
        out.push_back(connection.scalar(sql + " LIMIT 1 OFFSET " + std::to_string(i)));
    return out;
}

std::string integrityCheck(const std::string& path) {
    return Connection(path).text("PRAGMA integrity_check");
}

std::string journalMode(const std::string& path) {
    return Connection(path).text("PRAGMA journal_mode");
}

void firefoxPlaces(const std::string& path, const std::vector<int>& placeIds,
                   const std::vector<int>& bookmarkedIds) {
    Connection db(path);
    db.exec("PRAGMA journal_mode = WAL");
    db.exec(R"(
CREATE TABLE moz_origins (id INTEGER PRIMARY KEY, prefix TEXT NOT NULL, host TEXT NOT NULL,
  frecency INTEGER NOT NULL, recalc_frecency INTEGER NOT NULL DEFAULT 0, alt_frecency INTEGER,
  recalc_alt_frecency INTEGER NOT NULL DEFAULT 0, UNIQUE (prefix, host));
CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,
  rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL,
  typed INTEGER DEFAULT 0 NOT NULL, frecency INTEGER DEFAULT -1 NOT NULL,
  last_visit_date INTEGER, guid TEXT, foreign_count INTEGER DEFAULT 0 NOT NULL,
  url_hash INTEGER DEFAULT 0 NOT NULL, description TEXT, preview_image_url TEXT, site_name TEXT,
  origin_id INTEGER REFERENCES moz_origins(id), recalc_frecency INTEGER NOT NULL DEFAULT 0,
  alt_frecency INTEGER, recalc_alt_frecency INTEGER NOT NULL DEFAULT 0);
CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, from_visit INTEGER, place_id INTEGER,
  visit_date INTEGER, visit_type INTEGER, session INTEGER, source INTEGER DEFAULT 0 NOT NULL,
  triggeringPlaceId INTEGER);
CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,
  parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT,
  dateAdded INTEGER, lastModified INTEGER, guid TEXT, syncStatus INTEGER NOT NULL DEFAULT 0,
  syncChangeCounter INTEGER NOT NULL DEFAULT 1);
CREATE TABLE moz_keywords (id INTEGER PRIMARY KEY AUTOINCREMENT, keyword TEXT UNIQUE,
  place_id INTEGER, post_data TEXT);
CREATE TABLE moz_meta (key TEXT PRIMARY KEY, value NOT NULL) WITHOUT ROWID;
CREATE INDEX moz_places_url_hashindex ON moz_places (url_hash);
CREATE INDEX moz_historyvisits_placedateindex ON moz_historyvisits (place_id, visit_date);
CREATE INDEX moz_bookmarks_itemindex ON moz_bookmarks (fk, type);
INSERT INTO moz_meta VALUES ('origin_frecency_count', 0);
INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, guid)
  VALUES (1, 2, NULL, 0, 0, '', 'root________');
)");
    db.exec("BEGIN");
    db.exec(joined(placeIds,
                   "INSERT INTO moz_origins VALUES ($, 'https://', 'site$.example', 1, 0, NULL, 0);"
                   "INSERT INTO moz_places (id, url, title, guid, origin_id) VALUES"
                   " ($, 'https://site$.example/', 'Site $', 'guid$', $);"
                   "INSERT INTO moz_historyvisits (place_id, visit_date, visit_type)"
                   " VALUES ($, 1700000000000000, 1);"));
    db.exec(joined(bookmarkedIds, "INSERT INTO moz_bookmarks (type, fk, parent, position, title)"
                                  " VALUES (1, $, 1, 0, 'Bookmark $');"));
    db.exec("COMMIT");
}

void firefoxCurrentTraces(const std::string& path, const std::vector<int>& placeIds,
                          int bookmarkedId) {
    Connection db(path);
    db.exec(R"(
CREATE TABLE moz_inputhistory (place_id INTEGER NOT NULL, input LONGVARCHAR NOT NULL,
  use_count INTEGER, PRIMARY KEY (place_id, input));
CREATE TABLE moz_anno_attributes (id INTEGER PRIMARY KEY, name VARCHAR(32) UNIQUE NOT NULL);
CREATE TABLE moz_annos (id INTEGER PRIMARY KEY, place_id INTEGER NOT NULL,
  anno_attribute_id INTEGER, content LONGVARCHAR, flags INTEGER DEFAULT 0,
  expiration INTEGER DEFAULT 0, type INTEGER DEFAULT 0, dateAdded INTEGER DEFAULT 0,
  lastModified INTEGER DEFAULT 0);
CREATE TABLE moz_items_annos (id INTEGER PRIMARY KEY, item_id INTEGER NOT NULL,
  anno_attribute_id INTEGER, content LONGVARCHAR, flags INTEGER DEFAULT 0,
  expiration INTEGER DEFAULT 0, type INTEGER DEFAULT 0, dateAdded INTEGER DEFAULT 0,
  lastModified INTEGER DEFAULT 0);
CREATE TABLE moz_bookmarks_deleted (guid TEXT PRIMARY KEY, dateRemoved INTEGER NOT NULL DEFAULT 0);
CREATE TABLE moz_places_metadata (id INTEGER PRIMARY KEY, place_id INTEGER NOT NULL,
  referrer_place_id INTEGER, created_at INTEGER NOT NULL DEFAULT 0,
  updated_at INTEGER NOT NULL DEFAULT 0, total_view_time INTEGER NOT NULL DEFAULT 0,
  typing_time INTEGER NOT NULL DEFAULT 0, key_presses INTEGER NOT NULL DEFAULT 0,
  scrolling_time INTEGER NOT NULL DEFAULT 0, scrolling_distance INTEGER NOT NULL DEFAULT 0,
  document_type INTEGER NOT NULL DEFAULT 0, search_query_id INTEGER,
  FOREIGN KEY (place_id) REFERENCES moz_places(id) ON DELETE CASCADE);
CREATE TABLE moz_places_metadata_search_queries (id INTEGER PRIMARY KEY,
  terms TEXT NOT NULL UNIQUE);
CREATE TABLE moz_previews_tombstones (hash TEXT PRIMARY KEY) WITHOUT ROWID;
CREATE TABLE moz_places_extra (place_id INTEGER PRIMARY KEY NOT NULL, sync_json TEXT,
  FOREIGN KEY (place_id) REFERENCES moz_places(id) ON DELETE CASCADE);
CREATE TABLE moz_historyvisits_extra (visit_id INTEGER PRIMARY KEY NOT NULL, sync_json TEXT,
  FOREIGN KEY (visit_id) REFERENCES moz_historyvisits(id) ON DELETE CASCADE);
INSERT INTO moz_anno_attributes VALUES (1, 'downloads/destinationFileURI');
)");
    db.exec("BEGIN");
    std::vector<int> withBookmarked = placeIds;
    withBookmarked.push_back(bookmarkedId);
    db.exec(joined(withBookmarked,
                   "INSERT OR IGNORE INTO moz_inputhistory VALUES ($, 'visited input $', 1);"
                   "INSERT INTO moz_places_metadata_search_queries (terms)"
                   " VALUES ('visited search $' || random());"
                   "INSERT INTO moz_places_metadata (place_id, search_query_id, total_view_time)"
                   " VALUES ($, last_insert_rowid(), 1000);"
                   "INSERT INTO moz_historyvisits_extra"
                   " SELECT id, '{\"visited\":$}' FROM moz_historyvisits WHERE place_id = $;"));
    db.exec(joined(placeIds, "INSERT INTO moz_places_extra VALUES ($, '{\"visited\":$}');"
                             "INSERT INTO moz_annos (place_id, anno_attribute_id, content)"
                             " VALUES ($, 1, 'file:///visited/download$');"));
    db.exec("COMMIT");
}

void firefoxCookies(const std::string& path, int rows) {
    Connection db(path);
    db.exec(R"(
CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, originAttributes TEXT NOT NULL DEFAULT '',
  name TEXT, value TEXT, host TEXT, path TEXT, expiry INTEGER, lastAccessed INTEGER,
  creationTime INTEGER, isSecure INTEGER, isHttpOnly INTEGER, inBrowserElement INTEGER DEFAULT 0,
  sameSite INTEGER DEFAULT 0, rawSameSite INTEGER DEFAULT 0, schemeMap INTEGER DEFAULT 0,
  isPartitionedAttributeSet INTEGER DEFAULT 0,
  CONSTRAINT moz_uniqueid UNIQUE (name, host, path, originAttributes));
)");
    db.exec(joined(range(rows), "INSERT INTO moz_cookies (name, value, host, path, expiry)"
                                " VALUES ('c$', 'v$', '.site$.example', '/', 1900000000);"));
}

void firefoxSimpleDb(const std::string& path, int rows) {
    Connection db(path);
    db.exec("CREATE TABLE data (id INTEGER PRIMARY KEY, value TEXT);");
    db.exec(joined(range(rows), "INSERT INTO data (value) VALUES ('value $');"));
}

void chromeHistory(const std::string& path, int rows) {
    Connection db(path);
    db.exec(R"(
CREATE TABLE meta (key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);
CREATE TABLE urls (id INTEGER PRIMARY KEY AUTOINCREMENT, url LONGVARCHAR, title LONGVARCHAR,
  visit_count INTEGER DEFAULT 0 NOT NULL, typed_count INTEGER DEFAULT 0 NOT NULL,
  last_visit_time INTEGER NOT NULL, hidden INTEGER DEFAULT 0 NOT NULL);
CREATE TABLE visits (id INTEGER PRIMARY KEY AUTOINCREMENT, url INTEGER NOT NULL,
  visit_time INTEGER NOT NULL, from_visit INTEGER, transition INTEGER DEFAULT 0 NOT NULL,
  segment_id INTEGER, visit_duration INTEGER DEFAULT 0 NOT NULL,
  incremented_omnibox_typed_score BOOLEAN DEFAULT FALSE NOT NULL, opener_visit INTEGER,
  originator_cache_guid TEXT, originator_visit_id INTEGER, originator_from_visit INTEGER,
  originator_opener_visit INTEGER, is_known_to_sync BOOLEAN DEFAULT FALSE NOT NULL,
  consider_for_ntp_most_visited BOOLEAN DEFAULT FALSE NOT NULL, external_referrer_url TEXT,
  visited_link_id INTEGER DEFAULT 0 NOT NULL, app_id TEXT);
CREATE TABLE visit_source (id INTEGER PRIMARY KEY, source INTEGER NOT NULL);
CREATE TABLE keyword_search_terms (keyword_id INTEGER NOT NULL, url_id INTEGER NOT NULL,
  term LONGVARCHAR NOT NULL, normalized_term LONGVARCHAR NOT NULL);
CREATE TABLE downloads (id INTEGER PRIMARY KEY, guid VARCHAR NOT NULL,
  current_path LONGVARCHAR NOT NULL, target_path LONGVARCHAR NOT NULL,
  start_time INTEGER NOT NULL, received_bytes INTEGER NOT NULL, total_bytes INTEGER NOT NULL,
  state INTEGER NOT NULL, danger_type INTEGER NOT NULL, interrupt_reason INTEGER NOT NULL,
  hash BLOB NOT NULL, end_time INTEGER NOT NULL, opened INTEGER NOT NULL,
  last_access_time INTEGER NOT NULL, transient INTEGER NOT NULL, referrer VARCHAR NOT NULL,
  site_url VARCHAR NOT NULL, tab_url VARCHAR NOT NULL, tab_referrer_url VARCHAR NOT NULL,
  http_method VARCHAR NOT NULL, by_ext_id VARCHAR NOT NULL, by_ext_name VARCHAR NOT NULL,
  etag VARCHAR NOT NULL, last_modified VARCHAR NOT NULL, mime_type VARCHAR(255) NOT NULL,
  original_mime_type VARCHAR(255) NOT NULL);
CREATE TABLE downloads_url_chains (id INTEGER NOT NULL, chain_index INTEGER NOT NULL,
  url LONGVARCHAR NOT NULL, PRIMARY KEY (id, chain_index));
CREATE TABLE segments (id INTEGER PRIMARY KEY, name VARCHAR, url_id INTEGER NON NULL);
CREATE TABLE segment_usage (id INTEGER PRIMARY KEY, segment_id INTEGER NOT NULL,
  time_slot INTEGER NOT NULL, visit_count INTEGER DEFAULT 0 NOT NULL);
CREATE INDEX urls_url_index ON urls (url);
CREATE INDEX visits_url_index ON visits (url);
INSERT INTO meta VALUES ('version', '68'), ('last_compatible_version', '16');
)");
    db.exec("BEGIN");
    db.exec(joined(range(rows),
                   "INSERT INTO urls (url, title, visit_count, last_visit_time)"
                   " VALUES ('https://site$.example/', 'Site $', 1, 13300000000000000);"
                   "INSERT INTO visits (url, visit_time) VALUES ($, 13300000000000000);"
                   "INSERT INTO segments (name, url_id) VALUES ('http://site$.example/', $);"
                   "INSERT INTO keyword_search_terms VALUES (2, $, 'term $', 'term $');"
                   "INSERT INTO downloads VALUES ($, 'g$', '/d/$', '/d/$', 1, 1, 1, 1, 0, 0,"
                   " x'00', 1, 0, 1, 0, '', '', '', '', 'GET', '', '', '', '', 'text/plain',"
                   " 'text/plain');"));
    db.exec("COMMIT");
}

void chromeCurrentTraces(const std::string& path, int rows) {
    Connection db(path);
    db.exec(R"(
CREATE TABLE visited_links (id INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL,
  link_url_id INTEGER NOT NULL, top_level_url LONGVARCHAR NOT NULL,
  frame_url LONGVARCHAR NOT NULL, visit_count INTEGER DEFAULT 0 NOT NULL);
CREATE TABLE content_annotations (visit_id INTEGER PRIMARY KEY, visibility_score NUMERIC,
  floc_protected_score NUMERIC, categories VARCHAR, page_topics_model_version INTEGER,
  annotation_flags INTEGER NOT NULL, entities VARCHAR, related_searches VARCHAR,
  search_normalized_url VARCHAR, search_terms LONGVARCHAR, alternative_title VARCHAR,
  page_language VARCHAR, password_state INTEGER DEFAULT 0 NOT NULL,
  has_url_keyed_image BOOLEAN NOT NULL);
CREATE TABLE context_annotations (visit_id INTEGER PRIMARY KEY,
  context_annotation_flags INTEGER NOT NULL, duration_since_last_visit INTEGER,
  page_end_reason INTEGER, total_foreground_duration INTEGER,
  browser_type INTEGER DEFAULT 0 NOT NULL, window_id INTEGER DEFAULT -1 NOT NULL,
  tab_id INTEGER DEFAULT -1 NOT NULL, task_id INTEGER DEFAULT -1 NOT NULL,
  root_task_id INTEGER DEFAULT -1 NOT NULL, parent_task_id INTEGER DEFAULT -1 NOT NULL,
  response_code INTEGER DEFAULT 0 NOT NULL);
CREATE TABLE clusters (cluster_id INTEGER PRIMARY KEY AUTOINCREMENT,
  should_show_on_prominent_ui_surfaces BOOLEAN NOT NULL, label VARCHAR NOT NULL,
  raw_label VARCHAR NOT NULL, triggerability_calculated BOOLEAN NOT NULL,
  originator_cache_guid TEXT NOT NULL, originator_cluster_id INTEGER NOT NULL);
CREATE TABLE clusters_and_visits (cluster_id INTEGER NOT NULL, visit_id INTEGER NOT NULL,
  score NUMERIC DEFAULT 0 NOT NULL, engagement_score NUMERIC DEFAULT 0 NOT NULL,
  url_for_deduping LONGVARCHAR NOT NULL, normalized_url LONGVARCHAR NOT NULL,
  url_for_display LONGVARCHAR NOT NULL, interaction_state INTEGER DEFAULT 0 NOT NULL,
  PRIMARY KEY (cluster_id, visit_id)) WITHOUT ROWID;
CREATE TABLE cluster_keywords (cluster_id INTEGER NOT NULL, keyword VARCHAR NOT NULL,
  type INTEGER NOT NULL, score NUMERIC NOT NULL, collections VARCHAR NOT NULL);
CREATE TABLE cluster_visit_duplicates (visit_id INTEGER NOT NULL,
  duplicate_visit_id INTEGER NOT NULL, PRIMARY KEY (visit_id, duplicate_visit_id))
  WITHOUT ROWID;
CREATE TABLE typed_url_sync_metadata (storage_key INTEGER PRIMARY KEY NOT NULL, value BLOB);
CREATE INDEX visited_links_index ON visited_links (link_url_id, top_level_url, frame_url);
)");
    db.exec("BEGIN");
    db.exec(
        joined(range(rows),
               "INSERT INTO visited_links (link_url_id, top_level_url, frame_url, visit_count)"
               " VALUES ($, 'https://visited$.example/', 'https://visited$.example/frame', 1);"
               "INSERT INTO content_annotations (visit_id, annotation_flags, search_normalized_url,"
               " search_terms, alternative_title, has_url_keyed_image)"
               " VALUES ($, 0, 'https://visited$.example/?q', 'visited terms $', 'Visited $', 0);"
               "INSERT INTO context_annotations (visit_id, context_annotation_flags) VALUES ($, 0);"
               "INSERT INTO clusters (should_show_on_prominent_ui_surfaces, label, raw_label,"
               " triggerability_calculated, originator_cache_guid, originator_cluster_id)"
               " VALUES (1, 'visited$.example', 'visited$.example', 1, '', 0);"
               "INSERT INTO clusters_and_visits (cluster_id, visit_id, url_for_deduping,"
               " normalized_url, url_for_display) VALUES ($, $, 'https://visited$.example/',"
               " 'https://visited$.example/', 'visited$.example');"
               "INSERT INTO cluster_keywords VALUES ($, 'visited keyword $', 0, 1, '');"
               "INSERT INTO cluster_visit_duplicates VALUES ($, $);"));
    db.exec("COMMIT");
}

std::vector<std::string> cellsMentioning(const std::string& path, const std::string& needle) {
    Connection db(path);
    const std::string ownTables =
        "FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'";
    std::vector<std::string> found;
    const std::int64_t tables = db.scalar("SELECT count(*) " + ownTables);
    for (std::int64_t t = 0; t < tables; ++t) {
        const std::string table = db.text("SELECT name " + ownTables +
                                          " ORDER BY name LIMIT 1 OFFSET " + std::to_string(t));
        const std::int64_t columns =
            db.scalar("SELECT count(*) FROM pragma_table_info('" + table + "')");
        for (std::int64_t c = 0; c < columns; ++c) {
            const std::string column = db.text("SELECT name FROM pragma_table_info('" + table +
                                               "') LIMIT 1 OFFSET " + std::to_string(c));
            if (db.scalar("SELECT count(*) FROM \"" + table + "\" WHERE CAST(\"" + column +
                          "\" AS TEXT) LIKE '%" + needle + "%'") > 0)
                found.push_back(table + "." + column);
        }
    }
    return found;
}

void chromeCookies(const std::string& path, int rows) {
    Connection db(path);
    db.exec(R"(
CREATE TABLE meta (key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);
CREATE TABLE cookies (creation_utc INTEGER NOT NULL, host_key TEXT NOT NULL,
  top_frame_site_key TEXT NOT NULL, name TEXT NOT NULL, value TEXT NOT NULL,
  encrypted_value BLOB NOT NULL, path TEXT NOT NULL, expires_utc INTEGER NOT NULL,
  is_secure INTEGER NOT NULL, is_httponly INTEGER NOT NULL, last_access_utc INTEGER NOT NULL,
  has_expires INTEGER NOT NULL, is_persistent INTEGER NOT NULL, priority INTEGER NOT NULL,
  samesite INTEGER NOT NULL, source_scheme INTEGER NOT NULL, source_port INTEGER NOT NULL,
  last_update_utc INTEGER NOT NULL, source_type INTEGER NOT NULL,
  has_cross_site_ancestor INTEGER NOT NULL);
CREATE UNIQUE INDEX cookies_unique_index ON cookies (host_key, top_frame_site_key,
  has_cross_site_ancestor, name, path, source_scheme, source_port);
INSERT INTO meta VALUES ('version', '23'), ('last_compatible_version', '23');
)");
    db.exec(joined(range(rows), "INSERT INTO cookies VALUES (1, '.site$.example', '', 'c$', '',"
                                " x'76313000', '/', 0, 1, 1, 1, 0, 0, 1, -1, 2, 443, 1, 0, 0);"));
}

void chromeTopSites(const std::string& path, int rows) {
    Connection db(path);
    db.exec(R"(
CREATE TABLE meta (key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);
CREATE TABLE top_sites (url LONGVARCHAR PRIMARY KEY, url_rank INTEGER,
  title LONGVARCHAR);
INSERT INTO meta VALUES ('version', '5'), ('last_compatible_version', '5');
)");
    db.exec(joined(range(rows), "INSERT INTO top_sites VALUES ('https://site$.example/', $,"
                                " 'Site $');"));
}

void safariHistory(const std::string& path, int rows) {
    Connection db(path);
    db.exec("PRAGMA journal_mode = WAL");
    db.exec(R"(
CREATE TABLE history_items (id INTEGER PRIMARY KEY AUTOINCREMENT, url TEXT NOT NULL UNIQUE,
  domain_expansion TEXT NULL, visit_count INTEGER NOT NULL, daily_visit_counts BLOB NOT NULL,
  weekly_visit_counts BLOB NULL, autocomplete_triggers BLOB NULL,
  should_recompute_derived_visit_counts INTEGER NOT NULL, visit_count_score INTEGER NOT NULL,
  status_code INTEGER NOT NULL DEFAULT 0);
CREATE TABLE history_visits (id INTEGER PRIMARY KEY AUTOINCREMENT,
  history_item INTEGER NOT NULL REFERENCES history_items(id) ON DELETE CASCADE,
  visit_time REAL NOT NULL, title TEXT NULL, load_successful BOOLEAN NOT NULL DEFAULT 1,
  http_non_get BOOLEAN NOT NULL DEFAULT 0, synthesized BOOLEAN NOT NULL DEFAULT 0,
  redirect_source INTEGER NULL UNIQUE REFERENCES history_visits(id) ON DELETE CASCADE,
  redirect_destination INTEGER NULL UNIQUE REFERENCES history_visits(id) ON DELETE CASCADE,
  origin INTEGER NOT NULL DEFAULT 0, generation INTEGER NOT NULL DEFAULT 0,
  attributes INTEGER NOT NULL DEFAULT 0, score INTEGER NOT NULL DEFAULT 0);
CREATE TABLE history_tombstones (id INTEGER PRIMARY KEY AUTOINCREMENT,
  start_time REAL NOT NULL, end_time REAL NOT NULL, url TEXT,
  generation INTEGER NOT NULL DEFAULT 0);
CREATE TABLE metadata (key TEXT NOT NULL UNIQUE, value);
CREATE INDEX history_visits__last_visit ON history_visits (history_item, visit_time DESC);
)");
    db.exec(joined(range(rows), "INSERT INTO history_items (url, visit_count, daily_visit_counts,"
                                " should_recompute_derived_visit_counts, visit_count_score)"
                                " VALUES ('https://site$.example/', 1, x'00', 0, 100);"
                                "INSERT INTO history_visits (history_item, visit_time, title)"
                                " VALUES ($, 700000000.0, 'Site $');"));
}

void simpleDb(const std::string& path, int rows) {
    Connection db(path);
    db.exec("CREATE TABLE icons (id INTEGER PRIMARY KEY, url TEXT);");
    db.exec(joined(range(rows), "INSERT INTO icons (url) VALUES ('https://site$.example/');"));
}

void liveWalDb(const std::string& path, int rows) {
    const std::string source = path + ".source";
    {
        Connection db(source);
        db.exec("PRAGMA journal_mode = WAL");
        db.exec("PRAGMA wal_autocheckpoint = 0");
        db.exec("CREATE TABLE icons (id INTEGER PRIMARY KEY, url TEXT);");
        db.exec(joined(range(rows), "INSERT INTO icons (url) VALUES ('https://site$.example/');"));
        // Copied while the writer holds it, so the copies keep the log and index it leaves.
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::copy_file(source + suffix, path + suffix,
                                       std::filesystem::copy_options::overwrite_existing);
    }
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(source + suffix);
}

std::map<std::string, std::string> folderBytes(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[entry.path().filename().string()] = bytes.str();
    }
    return files;
}

} // namespace fixtures
