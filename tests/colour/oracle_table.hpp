// Reads the comma-separated tables of the shared colour data: a header line, then rows; cells
// are found by column name. (Only a last "source" column is ever quoted, and it is not read.)
#ifndef KYR_TEST_ORACLE_TABLE_HPP
#define KYR_TEST_ORACLE_TABLE_HPP

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kyr_test {

class oracle_table
{
public:
    explicit oracle_table(const std::string& path)
    {
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);) {
            std::vector<std::string> cells;
            std::istringstream fields(line);
            for (std::string cell; std::getline(fields, cell, ',');)
                cells.push_back(cell);
            (m_columns.empty() ? m_columns : m_rows.emplace_back()) = cells;
        }
        if (m_columns.empty())
            throw std::runtime_error("cannot read " + path);
    }

    size_t size() const { return m_rows.size(); }
    const std::string& text(size_t row, const std::string& column) const
    {
        const size_t i = size_t(std::find(m_columns.begin(), m_columns.end(), column) - m_columns.begin());
        return m_rows.at(row).at(i);
    }
    double number(size_t row, const std::string& column) const { return std::stod(text(row, column)); }

private:
    std::vector<std::string> m_columns;
    std::vector<std::vector<std::string>> m_rows;
};

inline std::string shared_colour_data(const std::string& relative)
{
    return std::string(KYR_SHARED_DIR) + "/colour-data/" + relative;
}

} // namespace kyr_test

#endif
