// Every address an export writes to another of its own pages reaches that
// page, whatever the file is called: names holding "&", "#", "%", ";", "?",
// blanks, quotes, accents, letters beyond Windows-1252 and a literal
// "&#...;" are exported and opened from file://; every frame, the reading
// (also where a script opens it after a timer's start) and every linked
// page of the exercise must be a page the export wrote, never an error page.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, readFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';

import { exportMatching, exportQuiz, screenshot, startBrowser, texts, watchConsole } from './helpers.mjs';
import { exportCrossword } from './crossword-helpers.mjs';

const names = [
  `Tom & Jerry #1 100% ;?'"x".htm`,
  'caf\u00e9 \u00f1 \u65e5\u672c lit&#26085; and &#38;.htm',
];

const kinds = [
  { kind: 'quiz frames with a reading', run: (name) => exportQuiz({ name, reading: 'typed' }) },
  { kind: 'quiz frames, timed reading', run: (name) => exportQuiz({ name, reading: 'typed', timer: 1 }), timed: true },
  { kind: 'quiz single page, timed reading', run: (name) => exportQuiz({ name, mode: 'single', reading: 'typed', timer: 1 }), timed: true },
  { kind: 'matching select list with a reading', run: (name) => exportMatching({ name, mode: 'select', reading: 'typed' }) },
  { kind: 'matching drag and drop, timed reading', run: (name) => exportMatching({ name, mode: 'dragdrop', reading: 'typed', timer: 1 }), timed: true },
  { kind: 'crossword frames', run: (name) => exportCrossword({ name }) },
];

// A file: address names one of the pages the export wrote.
function written(exported, url) {
  assert.match(url, /^file:\/\//, `${url} is no file of the export`);
  const u = new URL(url);
  u.search = '';
  u.hash = '';
  const path = fileURLToPath(u.href);
  return exported.written.includes(path) && existsSync(path);
}

// The relative addresses a page's markup and scripts give of other pages.
function addressesIn(html) {
  const out = [];
  const attr = /\b(?:src|href|data-reading)="([^"]*)"/gi;
  for (let m; (m = attr.exec(html));) out.push(m[1]);
  const script = /var ReadingFileName = '([^']*)'/g;
  for (let m; (m = script.exec(html));) out.push(m[1]);
  return out.filter((a) => /\.htm(?:\?[^#]*)?$/.test(a) && !/^(?:[a-z][a-z0-9+.-]*:|#)/i.test(a));
}

describe('exports reach every page they name, whatever the file is called', () => {
  let browser;
  before(async () => { browser = await startBrowser(); });
  after(async () => { await browser?.close(); });

  for (const { kind, run, timed } of kinds) {
    test(kind, async () => {
      for (const name of names) {
        const exported = run(name);
        assert.ok(exported.written.includes(exported.root), `${name}: the root page is written`);
        // Every address in every page written resolves to a written page.
        let addresses = 0;
        for (const file of exported.written) {
          const html = readFileSync(file, 'latin1');
          const base = new URL(`file://${file.split('/').map(encodeURIComponent).join('/')}`);
          for (const a of addressesIn(html)) {
            const target = new URL(a.replace(/&amp;/g, '&'), base).href;
            assert.ok(written(exported, target), `${name}: ${a} in ${file} reaches no page written`);
            addresses++;
          }
        }
        assert.ok(addresses >= 2, `${name}: the pages name each other`);

        const page = await browser.newPage();
        const problems = watchConsole(page);
        await page.goto(exported.url);
        await page.waitForLoadState('load');
        if (timed) {
          const code = page.frame({ name: 'CodeFrame' }) || page.mainFrame();
          await code.waitForLoadState('load');
          await code.getByRole('button', { name: texts.editStartReading }).click();
          for (let i = 0; i < 100 && (page.frame({ name: 'ReadingFrame' })?.url() || 'about:blank') === 'about:blank'; i++)
            await page.waitForTimeout(50);
        }
        const frames = page.frames().filter((f) => f !== page.mainFrame() && f.url() !== 'about:blank');
        assert.ok(frames.length >= 2, `${name}: frames shown`);
        for (const f of frames) {
          await f.waitForLoadState('load');
          assert.ok(written(exported, f.url()), `${name}: frame ${f.name()} shows ${f.url()}`);
          assert.ok((await f.locator('body').innerText()).trim() !== '', `${name}: frame ${f.name()} is empty`);
        }
        if (kind === 'quiz frames, timed reading' && name === names[1]) await screenshot(page, 'export-names-1280.png');
        assert.deepEqual(problems, [], name);
        await page.close();
      }
    });
  }
});
