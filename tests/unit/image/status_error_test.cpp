#include "image/status_error.h"

#include <gtest/gtest.h>

TEST(StatusError, CarriesItsNumber)
{
    try {
        throw q9tx::StatusError(1403);
    } catch (const q9tx::StatusError& error) {
        EXPECT_EQ(error.number(), 1403);
    }
}
