// One object per thread that asks for it, owned by a list that outlives the threads.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

// MinGW-w64 can free a thread_local's storage before its destructor runs at the thread's end (its
// emulated TLS is torn down first), so a thread_local with a destructor may run it on freed memory.
// Here the thread keeps only a plain pointer; the objects live until the list goes, at the
// program's end. A thread that ends leaves its object unused until then.
template <typename T> class ThreadOwned {
public:
    // The calling thread's object, made by make() (a std::unique_ptr<T>) on its first ask. One call
    // site per T: the pointer is the call's own.
    template <typename Make> T& Mine(Make make) {
        thread_local T* mine = nullptr;
        if (mine == nullptr) {
            std::unique_ptr<T> made = make();
            const std::lock_guard<std::mutex> hold(Lock);
            mine = made.get();
            All.push_back(std::move(made));
        }
        return *mine;
    }

private:
    std::mutex Lock;
    std::vector<std::unique_ptr<T>> All;
};
