// The demo published with `zelmora-cli publish --serve` and opened in
// headless Chromium, its fake camera playing the demo's video written by
// `zelmora-cli video y4m`:
// - the same frames replayed in the page give `track`'s poses within 1e-6;
// - the models the page draws cover the pixels the desktop's render does;
// - from the camera, every tracker is found at a pose `track` also gives.
// Usage: node published_site_test.mjs ZELMORA_CLI OUTPUT_FOLDER
import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { readPng } from './png.mjs';
import { openBrowser, servePublished, waitFor } from './webdriver.mjs';

const [cli, output] = process.argv.slice(2).map((arg) => resolve(arg));
const kFrames = 30;
const kWidth = 640;
const kHeight = 480;
const work = mkdtempSync(join(tmpdir(), 'zelmora-site-'));
const demo = join(work, 'demo');
const site = join(work, 'sitio');
let failures = 0;

function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`);
  if (!ok) failures += 1;
}

const zelmora = (args, cwd = work) => execFileSync(cli, args, { cwd, stdio: ['ignore', 'pipe', 'pipe'] });

// Pixels the models cover in the desktop's render: those that differ from
// the video frame under them.
function desktopMask(frame) {
  const render = readPng(join(work, `render${String(kFrames - 1).padStart(4, '0')}.png`));
  const mask = new Uint8Array(kWidth * kHeight);
  for (let k = 0; k < mask.length; ++k) {
    const p = render.pixels;
    const d = Math.max(Math.abs(p[4 * k] - frame[4 * k + 2]), Math.abs(p[4 * k + 1] - frame[4 * k + 1]),
      Math.abs(p[4 * k + 2] - frame[4 * k]));
    mask[k] = d > 24 ? 1 : 0;
  }
  return mask;
}

// The page's drawing canvas at the video's size, upright: 1 where a model is.
const kPageMask = `
  const canvas = document.getElementById('overlay');
  const copy = new OffscreenCanvas(${kWidth}, ${kHeight}).getContext('2d');
  copy.translate(0, ${kHeight});
  copy.scale(1, -1);
  copy.drawImage(canvas, 0, 0, ${kWidth}, ${kHeight});
  const alpha = copy.getImageData(0, 0, ${kWidth}, ${kHeight}).data;
  let mask = '';
  for (let k = 3; k < alpha.length; k += 4) mask += alpha[k] > 0 ? '1' : '0';
  return mask;`;

function overlap(a, b) {
  let both = 0, either = 0;
  for (let k = 0; k < a.length; ++k) {
    both += a[k] & b[k];
    either += a[k] | b[k];
  }
  return either ? both / either : 0;
}

function relativeGap(a, b) {
  let worst = 0;
  for (let k = 0; k < 16; ++k) worst = Math.max(worst, Math.abs(a[k] - b[k]) / Math.max(1, Math.abs(a[k])));
  return worst;
}

// Replays the frames in the page and compares every pose with `track`'s.
async function replayMatchesTrack(browser, port, track, camera) {
  await browser.open(`http://localhost:${port}/?frames=frames.bgra&width=${kWidth}&height=${kHeight}`);
  await waitFor(browser, "return ['done', 'error'].includes(window.zelmoraStatus?.state);", 'the replay');
  const replay = await browser.run('return window.zelmoraStatus.replay;');
  let worst = 0, sameFound = replay.length === kFrames;
  replay.forEach((poses, frame) => track[frame].forEach((tracker, k) => {
    sameFound &&= (poses[17 * k] === 1) === tracker.found;
    worst = Math.max(worst, relativeGap(tracker.pose, poses.slice(17 * k + 1, 17 * k + 17)));
  }));
  check(sameFound, `${camera}, the page finds each tracker in the same ${kFrames} frames as track`);
  check(worst <= 1e-6, `${camera}, the page's poses equal track's (worst relative gap ${worst.toExponential(2)})`);
}

const trackPoses = () => readFileSync(join(work, 'track.jsonl'), 'utf8').trim().split('\n')
  .map((line) => JSON.parse(line).trackers);

async function main() {
  mkdirSync(output, { recursive: true });
  zelmora(['demo', demo]);
  zelmora(['video', 'y4m', 'video.cfg', join(work, 'demo.y4m'), '--raw', join(work, 'frames.bgra'),
    '--frames', String(kFrames)], demo);
  zelmora(['track', join(demo, 'demo.zel'), '--format', 'jsonl', '--frames', String(kFrames),
    '--out', join(work, 'track.jsonl')]);
  zelmora(['render', join(demo, 'demo.zel'), join(work, 'render%04d.png'), '--frames', String(kFrames)]);
  const track = trackPoses();

  const { child, exited, port } = await servePublished(cli, join(demo, 'demo.zel'), site);
  let browser = null;
  try {
    copyFileSync(join(work, 'frames.bgra'), join(site, 'frames.bgra'));
    browser = await openBrowser({ camera: join(work, 'demo.y4m'), width: 800, height: 800 });
    await replayMatchesTrack(browser, port, track, 'with the calibration');
    const bytes = readFileSync(join(work, 'frames.bgra'));
    const desktop = desktopMask(bytes.subarray((kFrames - 1) * kWidth * kHeight * 4));
    const page = Uint8Array.from(await browser.run(kPageMask), (c) => c === '1');
    const shared = overlap(desktop, page);
    check(shared >= 0.85, `the page's models cover the desktop render's (overlap ${shared.toFixed(3)})`);
    writeFileSync(join(output, 'replay.png'), await browser.screenshot());

    await browser.open(`http://localhost:${port}/`);
    await waitFor(browser, "return window.zelmoraStatus?.frames >= 60 || window.zelmoraStatus?.state === 'error';",
      'sixty camera frames');
    const live = await browser.run('return window.zelmoraStatus;');
    check(live.state === 'running' && live.calibrated, `the camera runs with the calibration (${live.error || 'no error'})`);
    // The fake camera's colours went through 4:2:0 and back, so its poses
    // are close to, not equal to, the desktop's for the same frame.
    track[0].forEach((_, k) => {
      const found = live.poses[17 * k] === 1;
      const pose = live.poses.slice(17 * k + 1, 17 * k + 17);
      const nearest = Math.min(...track.map((frame) => Math.hypot(...[12, 13, 14].map((j) => frame[k].pose[j] - pose[j]))));
      check(found && nearest < 10, `from the camera, ${track[0][k].name} is found within 10 mm of a desktop pose (${nearest.toFixed(2)} mm)`);
    });
    writeFileSync(join(output, 'camera.png'), await browser.screenshot());

    // Without a calibration of the video's size the page takes an ideal
    // camera of the field of view; the desktop's ideal camera of 60 degrees
    // gives the same poses.
    zelmora(['camera', 'make', '--size', String(kWidth), String(kHeight), '--fov', '60',
      join(demo, 'camara.dat')]);
    zelmora(['track', join(demo, 'demo.zel'), '--format', 'jsonl', '--frames', String(kFrames),
      '--out', join(work, 'track.jsonl')]);
    const described = JSON.parse(readFileSync(join(site, 'site.json'), 'utf8'));
    writeFileSync(join(site, 'site.json'), JSON.stringify({ ...described, camera: null }));
    await replayMatchesTrack(browser, port, trackPoses(), 'with an ideal camera of 60 degrees');
  } finally {
    await browser?.close();
    child.kill('SIGINT');
  }
  const code = await exited;
  check(code === 0, 'publish --serve stops cleanly on Ctrl+C');
}

main().catch((error) => {
  console.error(error);
  failures += 1;
}).finally(() => {
  rmSync(work, { recursive: true, force: true });
  process.exit(failures ? 1 : 0);
});
