#include "failing_file_system.h"

namespace kvilbo::layout::test {

namespace {

class FailingFile : public engine::File {
public:
    FailingFile(std::unique_ptr<engine::File> real, std::shared_ptr<int> writesLeft)
        : m_real(std::move(real)), m_writesLeft(std::move(writesLeft))
    {
    }

    std::size_t readAt(std::uint64_t offset, void *data, std::size_t count) override
    {
        return m_real->readAt(offset, data, count);
    }
    void writeAt(std::uint64_t offset, const void *data, std::size_t count) override
    {
        if ((*m_writesLeft)-- <= 0)
            throw engine::DbfIoError("disk full (test): " + path());
        m_real->writeAt(offset, data, count);
    }
    std::uint64_t size() override { return m_real->size(); }
    void truncate(std::uint64_t size) override { m_real->truncate(size); }
    void sync() override { m_real->sync(); }
    void lockClaim() override { m_real->lockClaim(); }
    void unlockClaim() override { m_real->unlockClaim(); }
    const std::string &path() const override { return m_real->path(); }

private:
    std::unique_ptr<engine::File> m_real;
    std::shared_ptr<int> m_writesLeft;
};

bool endsWith(const std::string &s, const std::string &suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

FailingFileSystem::FailingFileSystem(std::string suffix, int writesBeforeFailure)
    : m_real(engine::posixFileSystem()), m_suffix(std::move(suffix)),
      m_writesLeft(std::make_shared<int>(writesBeforeFailure))
{
}

std::unique_ptr<engine::File> FailingFileSystem::open(const std::string &path, engine::ShareMode mode)
{
    auto file = m_real->open(path, mode);
    if (file && endsWith(path, m_suffix))
        return std::make_unique<FailingFile>(std::move(file), m_writesLeft);
    return file;
}

std::unique_ptr<engine::File> FailingFileSystem::create(const std::string &path)
{
    auto file = m_real->create(path);
    if (file && endsWith(path, m_suffix))
        return std::make_unique<FailingFile>(std::move(file), m_writesLeft);
    return file;
}

} // namespace kvilbo::layout::test
