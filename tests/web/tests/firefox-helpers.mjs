// Firefox ESR for the browser tests (Debian's firefox-esr, headless, driven
// over WebDriver BiDi by puppeteer-core).  Tests that need it are skipped
// where Firefox ESR or puppeteer-core is not installed.
import { existsSync, mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export const firefoxPath = '/usr/bin/firefox-esr';
let puppeteer = null;
try {
  puppeteer = (await import('puppeteer-core')).default;
} catch {
  puppeteer = null;
}

// Why Firefox tests cannot run here, or false where they can.
export const firefoxMissing = !existsSync(firefoxPath) ? `${firefoxPath} not installed`
  : !puppeteer ? 'puppeteer-core not installed' : false;

// Firefox with a fresh profile, or null (the test skipped) where it does not
// start: a browser that cannot start here says nothing about the pages.
export async function startFirefox(t) {
  try {
    return await puppeteer.launch({
      browser: 'firefox', executablePath: firefoxPath, headless: true, protocol: 'webDriverBiDi',
      userDataDir: mkdtempSync(join(tmpdir(), 'tavrel-firefox-')), timeout: 30000,
    });
  } catch (e) {
    t.skip(`Firefox ESR did not start: ${e.message.split('\n')[0]}`);
    return null;
  }
}

// Every document, frames included, keeps its uncaught errors where the test
// can read them: page.evaluateOnNewDocument(collectErrors).
export function collectErrors() {
  window.tavrelErrors = [];
  window.addEventListener('error', (e) => window.tavrelErrors.push(String(e.message)));
  window.addEventListener('unhandledrejection', (e) => window.tavrelErrors.push(String(e.reason)));
}

// A frame of the page whose address matches, once it has loaded.
export async function firefoxFrame(page, pattern) {
  for (let i = 0; i < 100; i++) {
    const f = page.frames().find((x) => pattern.test(x.url()));
    if (f && await f.evaluate(() => document.readyState === 'complete').catch(() => false)) return f;
    await new Promise((r) => setTimeout(r, 50));
  }
  throw new Error(`no frame ${pattern}`);
}
