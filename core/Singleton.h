// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The core services are process-wide single objects with an explicit life:
// StaticCreate makes the one instance, GetInstance returns it (null outside
// its life), StaticDestroy deletes it. Start-up and shutdown call these in a
// fixed order, so the instance is never created implicitly.

#include "platform/CallTrace.h"

#include <string>

template <typename T> class CoreSingleton {
public:
    static void StaticCreate()
    {
        calltrace::Record(std::string(T::kServiceName) + "::StaticCreate");
        if (!s_instance)
            s_instance = new T();
    }

    static void StaticDestroy()
    {
        calltrace::Record(std::string(T::kServiceName) + "::StaticDestroy");
        delete s_instance;
        s_instance = nullptr;
    }

    static T* GetInstance() { return s_instance; }

protected:
    CoreSingleton() = default;
    ~CoreSingleton() = default;

private:
    inline static T* s_instance = nullptr;
};
