// Times colorjs.io's deltaE2000 and deltaECMC on the pairs bench_colour wrote (6 doubles per
// pair: standard L, a, b, sample L, a, b). Usage: node colour_peer.mjs PAIRS_FILE
import { readFileSync } from "node:fs";
import { deltaE2000, deltaECMC, ColorSpace, Lab } from "colorjs.io/fn";

ColorSpace.register(Lab);
const bytes = readFileSync(process.argv[2]);
const values = new Float64Array(bytes.buffer, bytes.byteOffset, bytes.length / 8);
const count = values.length / 6;
const standards = [], samples = [];
for (let i = 0; i < count; ++i) {
    standards.push({ space: Lab, coords: [values[6 * i], values[6 * i + 1], values[6 * i + 2]], alpha: 1 });
    samples.push({ space: Lab, coords: [values[6 * i + 3], values[6 * i + 4], values[6 * i + 5]], alpha: 1 });
}

// Processor time of the process (all its threads, the collector's included), as bench_colour.
function cpuSeconds() {
    const usage = process.cpuUsage();
    return (usage.user + usage.system) / 1e6;
}

function best(work, rounds = 5) {
    let fastest = Infinity;
    for (let r = 0; r < rounds; ++r) {
        const start = cpuSeconds();
        work();
        fastest = Math.min(fastest, cpuSeconds() - start);
    }
    return fastest;
}

let sink = 0;
const de2000 = best(() => { for (let i = 0; i < count; ++i) sink += deltaE2000(standards[i], samples[i]); });
const cmc = best(() => { for (let i = 0; i < count; ++i) sink += deltaECMC(standards[i], samples[i]); });
console.log(`CIEDE2000: ${(1e9 * de2000 / count).toFixed(1)} ns per pair`);
console.log(`CMC 2:1:   ${(1e9 * cmc / count).toFixed(1)} ns per pair`);
console.log(`(checksum ${sink.toFixed(3)})`);
