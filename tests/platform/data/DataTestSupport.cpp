#include "DataTestSupport.h"

namespace testdata {

const DataFolder& Data() {
    static DataFolder folder;
    return folder;
}

std::vector<platform::Variant> Column(platform::Table& table, const std::string& field,
                                      const platform::QueryFilter* filter) {
    const int index = table.FindField(field);
    EXPECT_GE(index, 0) << field;
    std::vector<platform::Variant> values;
    auto cursor = table.Search(filter, false);
    while (auto row = cursor->NextRow()) values.push_back(row->Value(index));
    return values;
}

std::vector<platform::ObjectId> Ids(platform::Table& table, const platform::QueryFilter* filter) {
    std::vector<platform::ObjectId> ids;
    auto cursor = table.Search(filter, true);
    while (auto row = cursor->NextRow()) ids.push_back(row->OID());
    return ids;
}

std::vector<std::string> Texts(const std::vector<platform::Variant>& values) {
    std::vector<std::string> texts;
    for (const auto& value : values) texts.push_back(value.IsNull() ? "<null>" : value.ToText());
    return texts;
}

platform::ComError ExpectComError(const std::function<void()>& call) {
    testing::internal::CaptureStderr();
    try {
        call();
    } catch (const platform::ComError& e) {
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        return e;
    }
    testing::internal::GetCapturedStderr();
    ADD_FAILURE() << "no ComError was raised";
    return platform::ComError(0, "", "");
}

platform::QueryFilter Where(const std::string& clause, const std::string& subFields) {
    platform::QueryFilter filter;
    filter.WhereClause(clause);
    filter.SubFields(subFields);
    return filter;
}

}  // namespace testdata
