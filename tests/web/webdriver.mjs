// A small WebDriver client for Debian's chromedriver and chromium: enough
// to open a page with a fake camera, run a script in it and take a
// screenshot; and the published site it opens, served by `zelmora-cli
// publish --serve`. Node's own fetch and child processes; nothing from npm.
import { spawn } from 'node:child_process';
import { createServer } from 'node:net';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

export function freePort() {
  return new Promise((resolve, reject) => {
    const server = createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

async function call(base, method, path, body) {
  const response = await fetch(base + path, {
    method,
    headers: { 'Content-Type': 'application/json' },
    body: body === undefined ? undefined : JSON.stringify(body),
  });
  const answer = await response.json();
  if (!response.ok) throw new Error(`${method} ${path}: ${JSON.stringify(answer.value)}`);
  return answer.value;
}

// Starts chromedriver and a headless chromium session. `camera` is a .y4m
// file the fake camera plays in a loop.
export async function openBrowser({ camera, width = 640, height = 480 }) {
  const port = await freePort();
  const driver = spawn('/usr/bin/chromedriver', [`--port=${port}`], { stdio: 'ignore' });
  const base = `http://127.0.0.1:${port}`;
  for (let k = 0; ; ++k) {
    try {
      await call(base, 'GET', '/status');
      break;
    } catch (error) {
      if (k > 100) throw new Error('chromedriver did not start');
      await sleep(100);
    }
  }
  const profile = mkdtempSync(join(tmpdir(), 'zelmora-chromium-'));
  const args = [
    '--headless=new', '--no-sandbox', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--disable-quic',
    '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--use-fake-ui-for-media-stream', '--use-fake-device-for-media-stream',
    `--window-size=${width},${height}`, `--user-data-dir=${profile}`,
  ];
  if (camera) args.push(`--use-file-for-fake-video-capture=${camera}`);
  let session;
  try {
    session = await call(base, 'POST', '/session', {
      capabilities: { alwaysMatch: { 'goog:chromeOptions': { binary: '/usr/bin/chromium', args } } },
    });
  } catch (error) {
    driver.kill();
    rmSync(profile, { recursive: true, force: true });
    throw error;
  }
  const prefix = `/session/${session.sessionId}`;
  return {
    open: (url) => call(base, 'POST', `${prefix}/url`, { url }),
    run: (script, ...args) => call(base, 'POST', `${prefix}/execute/sync`, { script, args }),
    screenshot: async () => Buffer.from(await call(base, 'GET', `${prefix}/screenshot`), 'base64'),
    async close() {
      try {
        await call(base, 'DELETE', prefix);
      } finally {
        driver.kill();
        rmSync(profile, { recursive: true, force: true });
      }
    },
  };
}

// Waits until `test` (a script returning a value) gives something truthy.
export async function waitFor(browser, script, what, timeoutMs = 60000) {
  const end = Date.now() + timeoutMs;
  for (;;) {
    const value = await browser.run(script);
    if (value) return value;
    if (Date.now() > end) {
      const status = await browser.run('return window.zelmoraStatus;');
      throw new Error(`timed out waiting for ${what}; page status ${JSON.stringify(status)}`);
    }
    await sleep(200);
  }
}

// Publishes `project` into `site` and serves it on a free port. Resolves
// once the command says where; `exited` settles with its exit code.
export function servePublished(cli, project, site) {
  const child = spawn(cli, ['publish', project, site, '--serve', '--port', '0'],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  const exited = new Promise((resolve) => child.on('exit', resolve));
  return new Promise((resolve, reject) => {
    let said = '';
    child.stdout.on('data', (chunk) => {
      said += chunk;
      const port = /localhost:(\d+)\//.exec(said);
      if (port) resolve({ child, exited, port: Number(port[1]) });
    });
    exited.then((code) => reject(new Error(`publish --serve ended with ${code}: ${said}`)));
  });
}
