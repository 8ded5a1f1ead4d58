#pragma once
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestData.h"
#include "platform/com/ComError.h"
#include "platform/data/Table.h"

namespace testdata {

// One folder of datasets for the whole test program; tests only read it.
const DataFolder& Data();

// The value of one field in every row a search gives.
std::vector<platform::Variant> Column(platform::Table& table, const std::string& field,
                                      const platform::QueryFilter* filter = nullptr);
std::vector<platform::ObjectId> Ids(platform::Table& table, const platform::QueryFilter* filter = nullptr);
std::vector<std::string> Texts(const std::vector<platform::Variant>& values);

// Runs the call, expecting a ComError; returns it. Also checks GDAL wrote
// nothing to stderr meanwhile.
platform::ComError ExpectComError(const std::function<void()>& call);

platform::QueryFilter Where(const std::string& clause, const std::string& subFields = "*");

}  // namespace testdata
