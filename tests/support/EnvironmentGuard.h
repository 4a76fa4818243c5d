// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Sets an environment variable for the guard's lifetime and restores it (or
// its absence) in the destructor, so a failed assertion cannot leave the
// variable changed for the tests after it.

#include <QByteArray>
#include <QtGlobal>

class EnvironmentGuard {
public:
    explicit EnvironmentGuard(const char* name) : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name))
    {
        if (m_wasSet)
            m_previous = qgetenv(name);
    }
    EnvironmentGuard(const char* name, const QByteArray& value) : EnvironmentGuard(name) { Set(value); }
    ~EnvironmentGuard()
    {
        if (m_wasSet)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

    void Set(const QByteArray& value) { qputenv(m_name, value); }
    void Unset() { qunsetenv(m_name); }

private:
    const char* m_name;
    bool m_wasSet;
    QByteArray m_previous;
};
