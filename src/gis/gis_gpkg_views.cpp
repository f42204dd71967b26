#include "gis/gis_gpkg_views.h"

#include <sqlite3.h>

#include <memory>

namespace {

// Steps of SQLite's machine the look at the schema may take: the schema of any file TALVO
// could read needs far fewer.
constexpr long kMaxSchemaSteps = 5000000;
constexpr int kStepsPerCheck = 1000;

int StopLongQuery(void* steps)
{
    long& done = *static_cast<long*>(steps);
    done += kStepsPerCheck;
    return done > kMaxSchemaSteps ? 1 : 0;
}

struct CSqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct CStatementCloser {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

// SQLITE_ROW when the database holds a view, SQLITE_DONE when it holds none, else the
// error that kept SQLite from reading its schema.
int FindView(const std::string& path)
{
    sqlite3* rawDb = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &rawDb, SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<sqlite3, CSqliteCloser> db(rawDb);
    if (opened != SQLITE_OK)
        return opened;
    long steps = 0;
    sqlite3_progress_handler(db.get(), kStepsPerCheck, &StopLongQuery, &steps);
    sqlite3_stmt* rawStatement = nullptr;
    const int prepared = sqlite3_prepare_v2(db.get(), "SELECT 1 FROM sqlite_master WHERE type = 'view' LIMIT 1", -1,
                                            &rawStatement, nullptr);
    std::unique_ptr<sqlite3_stmt, CStatementCloser> statement(rawStatement);
    return prepared == SQLITE_OK ? sqlite3_step(statement.get()) : prepared;
}

}  // namespace

std::string CheckGeopackageViews(const std::string& path)
{
    switch (FindView(path)) {
    case SQLITE_DONE: return {};
    case SQLITE_ROW:
        return "GeoPackage에 뷰(view)가 있어 열지 않습니다. 뷰는 읽을 때마다 정해진 질의를 실행하므로 끝나지 않을 수 "
               "있습니다. 뷰 없이 저장한 파일을 가져오십시오";
    default: return "GeoPackage의 구조를 읽을 수 없습니다";
    }
}
