// Individuals drawn per second from a population model, beside a plain loop
// of as many RandomNormal calls in the same run: the counter "model/plain" is
// the time of one individual over the time of its normal deviates alone.
#include "core/population_model.h"
#include "core/random_numbers.h"
#include "core/study_document.h"
#include "platform/xml_dom.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

std::string SampleStudyPath()
{
    const char* env = std::getenv("VEXA_SOURCE_DIR");
    const std::filesystem::path root =
        env ? std::filesystem::path(env) : std::filesystem::path(__FILE__).parent_path().parent_path();
    return (root / "resources" / "xml" / "estudio_alturas_pesos.xml").string();
}

// Ten groups of ten variables; r = 0.5^|i - j| keeps every covariance
// positive definite.
std::string TenByTenStudy()
{
    std::string xml = "<vexa><app><palette><color>clRed</color></palette><init form=\"pop\"/></app>"
                      "<system name=\"Bench\"><Population name=\"B\"><categories><catvar name=\"G\">";
    for (int g = 1; g <= 10; ++g)
        xml += "<cat color=\"1\">g" + std::to_string(g) + "</cat>";
    xml += "</catvar></categories><variables>";
    for (int i = 1; i <= 10; ++i)
        xml += "<vardef name=\"v" + std::to_string(i) + "\" min=\"0\" max=\"100\"/>";
    xml += "<correlation>";
    for (int i = 1; i <= 10; ++i)
        for (int j = i + 1; j <= 10; ++j)
            xml += "<elem i=\"" + std::to_string(i) + "\" j=\"" + std::to_string(j) + "\" r=\"" +
                   std::to_string(std::pow(0.5, j - i)) + "\"/>";
    xml += "</correlation></variables>";
    for (int g = 1; g <= 10; ++g) {
        xml += "<group color=\"1\"><percent><nominal value=\"10\"/></percent><variables><category catid=\"" +
               std::to_string(g) + "\"/>";
        for (int i = 1; i <= 10; ++i)
            xml += "<var><nominal m=\"" + std::to_string(10 * g + i) + "\" sd=\"" + std::to_string(1 + i) +
                   "\"/><validrange min=\"0\" max=\"100\"/></var>";
        xml += "</variables></group>";
    }
    xml += "</Population></system></vexa>";
    return xml;
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void DrawIndividuals(benchmark::State& state, const platform::XmlDocument& doc)
{
    tPopulation population(GetVexa(doc));
    const int groups = population.GroupCount;
    const int variables = population.NumVarCount;
    SetRandSeed(1234);

    std::int64_t drawn = 0;
    double sink = 0.0;
    const auto modelStart = std::chrono::steady_clock::now();
    for (auto _ : state) {
        tSubPopulation& group = *population.Groups[static_cast<std::size_t>(drawn % groups)];
        group.DrawIndividual();
        sink += group.Matrix.Cells[0][1];
        ++drawn;
    }
    const double modelSeconds = SecondsSince(modelStart);
    benchmark::DoNotOptimize(sink);

    // The same number of deviates without the model (outside the timed loop).
    const std::int64_t deviates = drawn * variables;
    const auto plainStart = std::chrono::steady_clock::now();
    double plain = 0.0;
    for (std::int64_t k = 0; k < deviates; ++k)
        plain += RandomNormal();
    const double plainSeconds = SecondsSince(plainStart);
    benchmark::DoNotOptimize(plain);

    state.SetItemsProcessed(drawn);
    state.counters["variables"] = variables;
    state.counters["model/plain"] = plainSeconds > 0.0 ? modelSeconds / plainSeconds : 0.0;
}

void BM_DrawSamplePopulation(benchmark::State& state)
{
    static const platform::XmlDocument doc = platform::XmlDocument::LoadFromFile(SampleStudyPath());
    DrawIndividuals(state, doc);
}
BENCHMARK(BM_DrawSamplePopulation);

void BM_DrawTenGroupsTenVariables(benchmark::State& state)
{
    static const platform::XmlDocument doc = platform::XmlDocument::LoadFromBytes(TenByTenStudy());
    DrawIndividuals(state, doc);
}
BENCHMARK(BM_DrawTenGroupsTenVariables);

// Plain loops of 2 and 10 deviates per item, for the same item rates.
void BM_PlainRandomNormal(benchmark::State& state)
{
    const int perItem = static_cast<int>(state.range(0));
    SetRandSeed(1234);
    double sink = 0.0;
    for (auto _ : state)
        for (int k = 0; k < perItem; ++k)
            sink += RandomNormal();
    benchmark::DoNotOptimize(sink);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlainRandomNormal)->Arg(2)->Arg(10);

} // namespace
