#pragma once

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace torbex::testing {

// Compares a rendered page or window with the picture reviewed by eye and kept in tests/golden.
// A difference fails with its count and box, and leaves the new picture and a map of the changed
// pixels in the build's golden-actual folder for review. After a deliberate change to the look,
// TORBEX_UPDATE_GOLDENS=1 writes the new pictures in place of the old ones.
::testing::AssertionResult looksAsReviewed(const QImage& actual, const QString& name);

// Each page of a PDF as poppler draws it at `dpi`.
std::vector<QImage> pdfPages(const QString& pdf, int dpi = 50);

}  // namespace torbex::testing
