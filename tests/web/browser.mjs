// The site served from 127.0.0.1 and Debian's Chromium, headless, with a fresh profile: what
// the ring and the benchmark both start from.
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json', '.png': 'image/png' };

// Resolves to { origin, browser, work, close() }; work is a temporary folder of its own.
export async function start(siteDir) {
  const site = path.resolve(siteDir);
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://host').pathname;
    const file = path.join(site, path.normalize(name === '/' ? '/index.html' : name));
    if (!file.startsWith(site + path.sep) || !fs.existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'content-type': TYPES[path.extname(file)] ?? 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velkorin-web-'));
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    userDataDir: path.join(work, 'profile'),
    args: ['--no-sandbox', '--headless', '--disable-gpu', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  return {
    origin: `http://127.0.0.1:${server.address().port}`,
    browser,
    work,
    async close() {
      await browser.close();
      server.close();
      fs.rmSync(work, { recursive: true, force: true });
    },
  };
}
