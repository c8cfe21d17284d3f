// The published demo in headless Chromium with the demo's video as its fake
// camera: frames tracked a second and the WebAssembly tracking's time a
// frame, over a stretch of live running.
// Usage: node bench/web_site_bench.mjs ZELMORA_CLI [SECONDS]
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { openBrowser, servePublished, sleep, waitFor } from '../tests/web/webdriver.mjs';

const [given, seconds = '20'] = process.argv.slice(2);
const cli = resolve(given);
const work = mkdtempSync(join(tmpdir(), 'zelmora-bench-'));
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

try {
  execFileSync(cli, ['demo', join(work, 'demo')], { stdio: 'ignore' });
  execFileSync(cli, ['video', 'y4m', 'video.cfg', join(work, 'demo.y4m')],
    { cwd: join(work, 'demo'), stdio: 'ignore' });
  const { child: server, port } = await servePublished(cli, join(work, 'demo', 'demo.zel'),
    join(work, 'sitio'));
  const browser = await openBrowser({ camera: join(work, 'demo.y4m') });
  try {
    await browser.open(`http://localhost:${port}/`);
    await waitFor(browser, 'return window.zelmoraStatus?.frames >= 30;', 'the first frames');
    const first = await browser.run('return [window.zelmoraStatus.frames, window.zelmoraStatus.videoFrames, performance.now()];');
    await sleep(Number(seconds) * 1000);
    const status = await browser.run('return window.zelmoraStatus;');
    const now = await browser.run('return performance.now();');
    const elapsed = (now - first[2]) / 1000;
    console.log(`camera frames a second   ${((status.videoFrames - first[1]) / elapsed).toFixed(1)}`);
    console.log(`tracked frames a second  ${((status.frames - first[0]) / elapsed).toFixed(1)}`);
    console.log(`tracking, median         ${median(status.recentMs).toFixed(2)} ms (last ${status.recentMs.length} frames)`);
    console.log(`tracking, slowest        ${Math.max(...status.recentMs).toFixed(2)} ms`);
    console.log(`worker round trip, last  ${status.roundMs.toFixed(2)} ms`);
  } finally {
    await browser.close();
    server.kill('SIGINT');
  }
} finally {
  rmSync(work, { recursive: true, force: true });
}
