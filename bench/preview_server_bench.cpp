// Requests per second of the preview server on loopback, over one keep-alive connection of a
// real HTTP client: a product page (with the reload script added) and a picture.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "publish/preview_server.hpp"

namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A drive folder with a site of a typical size: a 6 KB product page and a 20 KB picture.
class Site {
  public:
    Site() {
        std::string pattern = (fs::temp_directory_path() / "tarvomen-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        root_ = pattern;
        std::string page =
            "<HTML><HEAD><TITLE>Product</TITLE></HEAD>\n\r\n<BODY BGColor=\"#FFFFFF\">\n\r\n";
        while (page.size() < 6000) {
            page +=
                "<TR><TD><FONT FACE=\"Arial\" SIZE=\"3\">Description line</FONT></TD></TR>\n\r\n";
        }
        page += "</BODY></HTML>\r\n";
        writeFile(root_ / "Tarvomen" / "3.html", page);
        writeFile(root_ / "Tarvomen" / "Data" / "0.GIF", "GIF89a" + std::string(20000, '\x55'));
    }
    ~Site() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    const fs::path& root() const { return root_; }

  private:
    fs::path root_;
};

void serve(benchmark::State& state, const char* path) {
    Site site;
    tarvomen::publish::PreviewServer server(site.root());
    server.start();
    httplib::Client client("127.0.0.1", server.port());
    client.set_keep_alive(true);
    // As a browser asks.
    const httplib::Headers headers = {{"Accept-Encoding", "gzip, deflate, br"}};
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto res = client.Get(path, headers);
        if (!res || res->status != 200) {
            state.SkipWithError("request failed");
            break;
        }
        bytes += res->body.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_ServePage(benchmark::State& state) {
    serve(state, "/tarvomen/3.html");
}
void BM_ServePicture(benchmark::State& state) {
    serve(state, "/Tarvomen/Data/0.GIF");
}

BENCHMARK(BM_ServePage)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ServePicture)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
