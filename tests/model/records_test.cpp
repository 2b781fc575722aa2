#include "model/startup_image.h"
#include <gtest/gtest.h>
TEST(records_test, placeholder) { EXPECT_EQ(zem::StartupImage().Channels[0].EmptyFlag, '1'); }
