#pragma once
// The module registry: record-form modules by their fixed numbers 1..56, created on first use
// and kept until released.
#include "core/engine/tableschema.h"
#include "core/modulenumbers.h"
#include "core/recordmodule.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace vidoraw {

struct ModuleInfo {
    int number;
    const char* className;
    const char* caption;
    const char* tableFile;
};

inline constexpr int kModuleCount = 56;
// The fixed table of module numbers; nullptr outside 1..56.
const ModuleInfo* ModuleInfoFor(int number);

class ModuleRegistry {
public:
    using Factory = std::function<std::unique_ptr<RecordModule>()>;
    using SchemaSource = std::function<TableSchema()>;

    ModuleRegistry() = default;
    ~ModuleRegistry();
    ModuleRegistry(const ModuleRegistry&) = delete;
    ModuleRegistry& operator=(const ModuleRegistry&) = delete;

    // Subsystems announce how their modules are made and what their tables hold; numbers
    // without a factory are never created.
    void setFactory(int number, Factory factory, SchemaSource schema);
    bool hasFactory(int number) const;
    // The module's table layout and first rows, without creating the module; empty for a
    // number nobody announced.
    std::optional<TableSchema> schema(int number) const;
    // Called right after a module is created (the extra steps some modules need).
    void setAfterCreate(int number, std::function<void(RecordModule&)> step);
    // Database every module's table lives in (set before the first module is created).
    void setDatabase(Database* db);
    Database* database() const { return db_; }

    RecordModule* EnsureModule(int number);
    // Position of the module's entry (creating it when needed); -1 for none.
    int ModuleIndex(int number);
    RecordModule* moduleAt(int position) const;
    // The module, created when needed; nullptr outside 1..56 or without a factory.
    RecordModule* module(int number) { return moduleAt(ModuleIndex(number)); }
    bool isRegistered(int number) const;
    void ReleaseModule(int number);
    // Releases every module (last first), then creates module 1 again.
    void ReleaseAll();
    // Points every module's table at another database, reopening those that were open.
    void RepointAll(Database* db);
    // Number of the module whose list key is key (exact); -1 when none.
    int FindModuleByListKey(const QString& key);
    std::vector<int> numbers() const;

private:
    struct Entry {
        int number;
        std::unique_ptr<RecordModule> module;
    };
    std::vector<Entry> entries_;
    std::map<int, Factory> factories_;
    std::map<int, SchemaSource> schemas_;
    std::map<int, std::function<void(RecordModule&)>> afterCreate_;
    Database* db_ = nullptr;
};

} // namespace vidoraw
