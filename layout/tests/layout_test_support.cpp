#include "layout_test_support.h"

#include "engine/cp1252.h"
#include "engine/dbf_format.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace kvilbo::layout::test {

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kvilbo-layout-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

namespace {

// Settings in which every value the layout copies is different from every other.
core::TKonfig distinctKonfig()
{
    core::TKonfig k = core::defaultKonfig();
    k.ListeHoyde = 23;
    k.ListeFont.setText("ListFont");
    k.ListeFSTR = 11;
    k.ListeFF = true;
    k.ListeFU = false;
    k.ListeFK = true;
    k.ListeFargeT.setText(" 111 ");
    k.ListeFargeBG.setText("222");
    k.UtskriftFontN.setText("PrintFont");
    k.UtskriftFontS = 12;
    k.UtskriftFontF = false;
    k.UtskriftFontU = true;
    k.UtskriftFontK = false;
    k.UtskriftFarge.setText("333");
    k.FormTFont.setText("TextFont");
    k.FormTFSTR = 13;
    k.FormTFF = true;
    k.FormTFU = true;
    k.FormTFK = false;
    k.FormTFT.setText("444");
    k.FormTFBG.setText("555");
    k.FormDFont.setText("FieldFont");
    k.FormDFSTR = 14;
    k.FormDFF = false;
    k.FormDFU = false;
    k.FormDFK = true;
    k.FormDFT.setText("666");
    k.FormDFBG.setText("777");
    return k;
}

} // namespace

LayoutFixture::LayoutFixture() : m_konfig(distinctKonfig()), m_log(m_dir.path(), m_texts)
{
    m_log.setTableNameProvider([this] { return engine::fileNamePart(DBF.fileName()); });
}

void LayoutFixture::makeCardTable(const std::vector<FieldSpec> &fields, bool exclusive)
{
    for (const auto &f : fields) {
        ASSERT_TRUE(DBF.LagFelt(f.name, f.type, static_cast<std::uint8_t>(f.length),
                                static_cast<std::uint8_t>(f.decimals), 0));
    }
    DBF.LagDatabase(beside("KUNDER.DBF"), 0);
    ASSERT_TRUE(DBF.OpenDatabase(beside("KUNDER.DBF"), exclusive, false)) << DBF.lastErrorMessage();
}

std::string LayoutFixture::beside(const std::string &name) const
{
    return (m_dir.path() / name).string();
}

std::unique_ptr<LayoutTable> LayoutFixture::newLayout()
{
    return std::make_unique<LayoutTable>(m_konfig, m_texts, m_log);
}

std::vector<std::string> LayoutFixture::loggedMessages() const
{
    std::istringstream lines(engine::fromCp1252(fileBytes(m_log.filePath().string())));
    std::vector<std::string> out;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto arrow = line.find(")->");
        if (arrow != std::string::npos)
            out.push_back(line.substr(arrow + 3));
    }
    return out;
}

std::vector<StoredRecord> LayoutFixture::readAll(engine::TDbfTable &FORFIL)
{
    std::vector<StoredRecord> out;
    for (int r = 1; r <= FORFIL.RecCount(); ++r) {
        FORFIL.Go(r);
        StoredRecord rec;
        rec.deleted = FORFIL.IsCurrentRecDeleted();
        for (int f = 1; f <= kFeltCount; ++f) {
            const std::string value(engine::trimBlanks(FORFIL.GetF(f)));
            if (!value.empty())
                rec.values[static_cast<Felt>(f)] = value;
        }
        out.push_back(rec);
    }
    return out;
}

std::string fileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace kvilbo::layout::test
