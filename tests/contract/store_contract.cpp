// The settings store's promises, on every store of the build.

#include <gtest/gtest.h>

#include "backends.h"

namespace vesk::test {
namespace {

const std::string kApp = "VESK-CONTRACT";

class StoreContract : public ::testing::TestWithParam<Maker<StoreBackend>> {
 protected:
  std::unique_ptr<StoreBackend> backend = GetParam().make();
  settings::Store& store = backend->store();
  std::optional<std::string> get(const std::string& key, const std::string& section = "Settings",
                                 const std::string& app = kApp) {
    return store.get(app, section, key);
  }
};

TEST_P(StoreContract, ReadingCreatesNothingAndEachSavedTextReadsBackWhole) {
  EXPECT_EQ(get("MainLeft"), std::nullopt);
  EXPECT_FALSE(backend->holds(kApp, "Settings")) << "a read created the section";
  std::string longText(5000, 'x');
  longText.back() = 'y';
  for (const std::string text :
       {"1000", "-15", "", "1,5", " 2 ", "Gr\xC3\xBC\xC3\x9F\x65 \xE2\x9C\x93", "a=b;[c]",
        longText.c_str()}) {
    store.save(kApp, "Settings", "MainLeft", text);
    EXPECT_EQ(get("MainLeft"), text) << "this run";
    EXPECT_EQ(backend->other().get(kApp, "Settings", "MainLeft"), text) << "the next run";
  }
  EXPECT_TRUE(backend->holds(kApp, "Settings"));
}

TEST_P(StoreContract, KeysSectionsAndApplicationsKeepApart) {
  store.save(kApp, "Settings", "MainLeft", "1500");
  store.save(kApp, "Settings", "MainTop", "300");
  EXPECT_EQ(get("MainLeft"), "1500");
  EXPECT_EQ(get("MainWidth"), std::nullopt);
  EXPECT_EQ(get("MainLeft", "Other"), std::nullopt);
  EXPECT_FALSE(backend->holds(kApp, "Other")) << "a read created the section";
  if (backend->appsApart) {
    EXPECT_EQ(get("MainLeft", "Settings", kApp + "-2"), std::nullopt);
    EXPECT_FALSE(backend->holds(kApp + "-2", "Settings"));
  }
}

TEST_P(StoreContract, WhatAnotherWriterSavesShowsAtTheNextRead) {
  EXPECT_EQ(get("SHOW_NUM_TICKBOX"), std::nullopt);
  backend->other().save(kApp, "Settings", "SHOW_NUM_TICKBOX", "0");
  EXPECT_EQ(get("SHOW_NUM_TICKBOX"), "0");
  store.save(kApp, "Settings", "SHOW_NUM_TICKBOX", "1");
  backend->other().save(kApp, "Settings", "SHOW_NUM_TICKBOX", "2");
  EXPECT_EQ(get("SHOW_NUM_TICKBOX"), "2");
}

INSTANTIATE_TEST_SUITE_P(Every, StoreContract, ::testing::ValuesIn(storeBackends()),
                         nameOf<StoreBackend>);

}  // namespace
}  // namespace vesk::test
