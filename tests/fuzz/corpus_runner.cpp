// Replays every file of a corpus folder through the fuzz entry point, so the seed corpus runs as
// an ordinary test without libFuzzer. With a count, each seed is also replayed that many times
// changed: units overwritten, pieces of other seeds spliced in, pieces repeated. The changes come
// from a fixed random seed, so a failure repeats.
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

void replay(const QByteArray &bytes)
{
    LLVMFuzzerTestOneInput(
        reinterpret_cast<const uint8_t *>(bytes.constData()), static_cast<size_t>(bytes.size()));
}

// Offsets and lengths stay even most of the time, so UTF-16 input keeps its characters whole.
QByteArray mutated(QByteArray input, const QList<QByteArray> &seeds, std::mt19937 &random)
{
    const auto below = [&](qsizetype bound) {
        return bound <= 0
            ? qsizetype(0)
            : qsizetype(std::uniform_int_distribution<qsizetype>(0, bound - 1)(random));
    };
    const auto even = [&](qsizetype value) { return random() % 4 ? value & ~qsizetype(1) : value; };
    for (int step = 1 + int(below(4)); step > 0; --step) {
        const qsizetype at = even(below(input.size() + 1));
        switch (below(3)) {
        case 0:
            if (at < input.size())
                input[at] = char(random());
            break;
        case 1: {
            const QByteArray &other = seeds[below(seeds.size())];
            const qsizetype from = even(below(other.size()));
            input.insert(at, other.mid(from, even(below(other.size() - from + 1))));
            break;
        }
        default:
            input.insert(at, input.mid(at, even(below(64))).repeated(1 + int(below(8))));
        }
    }
    return input;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER [CHANGED_REPLAYS_PER_SEED]\n", argv[0]);
        return 2;
    }
    const QDir corpus(QString::fromLocal8Bit(argv[1]));
    const int changedReplays = argc == 3 ? std::atoi(argv[2]) : 0;
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    if (files.isEmpty()) {
        std::fprintf(stderr, "empty corpus: %s\n", argv[1]);
        return 1;
    }
    QList<QByteArray> seeds;
    for (const QString &name : files) {
        QFile file(corpus.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
            return 1;
        }
        seeds.append(file.readAll());
        replay(seeds.last());
    }
    std::mt19937 random(20240601);
    for (const QByteArray &seed : std::as_const(seeds)) {
        for (int i = 0; i < changedReplays; ++i)
            replay(mutated(seed, seeds, random));
    }
    std::printf("%lld inputs replayed, %lld changed\n", static_cast<long long>(files.size()),
        static_cast<long long>(files.size()) * changedReplays);
    return 0;
}
