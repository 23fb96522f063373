#pragma once
// Fixture that runs a test with a Spanish process locale (decimal comma) and
// restores "C" afterwards; skipped where the locale is not installed.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <stdexcept>

class SpanishLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::setlocale(LC_ALL, "es_ES.UTF-8"))
            GTEST_SKIP() << "es_ES.UTF-8 locale not installed";
        try {
            std::locale::global(std::locale("es_ES.UTF-8"));
        } catch (const std::runtime_error&) {
            std::setlocale(LC_ALL, "C");
            GTEST_SKIP() << "es_ES.UTF-8 locale not usable by the C++ library";
        }
        m_set = true;
    }
    void TearDown() override
    {
        if (m_set) {
            std::locale::global(std::locale::classic());
            std::setlocale(LC_ALL, "C");
        }
    }

private:
    bool m_set = false;
};
