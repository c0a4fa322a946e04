#include "DeepTree.h"

#include <fcntl.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

std::string makeDeepTree(const std::string& root, int depth, const std::string& fileName,
                         const std::string& bytes, const std::string& folderName) {
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::string path = root;
    for (int i = 0; i < depth && fd >= 0; ++i) {
        ::mkdirat(fd, folderName.c_str(), 0755);
        const int child = ::openat(fd, folderName.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = child;
        path += "/" + folderName;
    }
    if (fd < 0) throw std::runtime_error("could not build the deep tree");
    const int file = ::openat(fd, fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ::close(fd);
    if (file < 0 || ::write(file, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("could not write the deep file");
    ::close(file);
    return path + "/" + fileName;
}

DescriptorLimit::DescriptorLimit(unsigned long limit) {
    rlimit current{};
    ::getrlimit(RLIMIT_NOFILE, &current);
    previous_ = current.rlim_cur;
    current.rlim_cur = limit;
    ::setrlimit(RLIMIT_NOFILE, &current);
}

DescriptorLimit::~DescriptorLimit() {
    rlimit current{};
    ::getrlimit(RLIMIT_NOFILE, &current);
    current.rlim_cur = previous_;
    ::setrlimit(RLIMIT_NOFILE, &current);
}
