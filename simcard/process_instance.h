#pragma once
// This process's one object per runtime folder (the card's state file, the live file's reader), kept
// for the life of the process. The folder is looked up again only when the variables that choose it
// change: the wave driver comes here on every message.
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>

namespace simcard {

// True when a variable that chooses the runtime folder changed since the last call of this instance;
// no allocation when none has.
class FolderChoice {
public:
    FolderChoice();
    ~FolderChoice();
    bool Changed();

private:
    struct Seen;
    std::unique_ptr<Seen> seen_;
};

// The object for the runtime folder's path (made from it), never dropped, so that references stay
// valid if KOVA2_HOME changes.
template <class Object> Object& ProcessInstance(std::filesystem::path (*pathNow)()) {
    static std::mutex mutex;
    static std::map<std::filesystem::path, std::unique_ptr<Object>> objects;
    static FolderChoice choice;
    static Object* chosen = nullptr;
    const std::lock_guard guard(mutex);
    const bool changed = choice.Changed();
    if (chosen && !changed) return *chosen;
    const std::filesystem::path path = pathNow();
    auto& object = objects[path];
    if (!object) object = std::make_unique<Object>(path);
    chosen = object.get();
    return *object;
}

} // namespace simcard
