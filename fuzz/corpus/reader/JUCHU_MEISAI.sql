/* 受注明細 (Shift_JIS)
   受注ごとの明細行 */
DROP TABLE JUCHU_MEISAI;
CREATE TABLE JUCHU_MEISAI (
    JUCHU_NO    NUMBER(10)    NOT NULL,   -- 受注番号
    MEISAI_NO   NUMBER(3)     NOT NULL,   -- 明細番号
    SHOHIN_CD   VARCHAR2(8),              -- 商品コード
    SURYO       NUMBER(5),                -- 数量
    TANKA       NUMBER(9,2),              -- 単価
    NOUKI       DATE,                     -- 納期
    BIKO        VARCHAR2(200),            -- 備考
    CONSTRAINT PK_JUCHU_MEISAI PRIMARY KEY (JUCHU_NO, MEISAI_NO)
);
COMMENT ON TABLE JUCHU_MEISAI IS '受注明細';
COMMENT ON COLUMN JUCHU_MEISAI.BIKO IS '備考 -- 自由記入; 改行可';
COMMIT;
