// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Follows the process's live heap bytes through the address sanitizer's
// allocation hooks, to check how much an operation holds at its worst.
// Available only in sanitizer builds; one watch at a time.

#include <atomic>
#include <cstddef>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILVANE_HEAP_WATCH 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QUILVANE_HEAP_WATCH 1
#endif

#ifdef QUILVANE_HEAP_WATCH
// The sanitizer runtime's own interface (GCC installs no header for it).
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                              void (*free_hook)(const volatile void*));
size_t __sanitizer_get_allocated_size(const volatile void* p);
}
#endif

class HeapWatch {
public:
    static bool Available()
    {
#ifdef QUILVANE_HEAP_WATCH
        return true;
#else
        return false;
#endif
    }

    // Starts watching from the bytes live now.
    HeapWatch()
    {
        Live() = 0;
        Peak() = 0;
#ifdef QUILVANE_HEAP_WATCH
        __sanitizer_install_malloc_and_free_hooks(&OnMalloc, &OnFree);
#endif
    }
    ~HeapWatch()
    {
#ifdef QUILVANE_HEAP_WATCH
        __sanitizer_install_malloc_and_free_hooks(nullptr, nullptr);
#endif
    }
    HeapWatch(const HeapWatch&) = delete;
    HeapWatch& operator=(const HeapWatch&) = delete;

    // The most bytes live at once since the watch began, beyond those live
    // when it began.
    long long PeakAbove() const
    {
        return Peak().load();
    }

private:
    static std::atomic<long long>& Live()
    {
        static std::atomic<long long> live{0};
        return live;
    }
    static std::atomic<long long>& Peak()
    {
        static std::atomic<long long> peak{0};
        return peak;
    }
#ifdef QUILVANE_HEAP_WATCH
    static void OnMalloc(const volatile void*, size_t size)
    {
        const long long now = Live() += static_cast<long long>(size);
        long long peak = Peak().load();
        while (now > peak && !Peak().compare_exchange_weak(peak, now)) {
        }
    }
    static void OnFree(const volatile void* p)
    {
        Live() -= static_cast<long long>(__sanitizer_get_allocated_size(p));
    }
#endif
};
